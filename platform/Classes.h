#pragma once
// Objects, ownership and the string list.

#include "platform/SysUtils.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TPersistent : public TObject {
public:
    // Copies what this class knows of `source`; a class that cannot copy from
    // it hands the request to the source's AssignTo.
    virtual void Assign(TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest);
};

// Owns the components created with it as owner and deletes them with itself.
// An owned component that is deleted first leaves its owner's list.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(std::size_t(index)); }
    TComponent* FindComponent(const String& name) const;

    const String& Name() const { return FName; }
    void SetName(const String& name) { FName = name; }
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t tag) { FTag = tag; }

    // Lets `other` know through Notification when this component goes away.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    bool Destroying() const { return FDestroying; }

protected:
    enum class TOperation { opInsert, opRemove };
    virtual void Notification(TComponent* component, TOperation operation);

private:
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    String FName;
    std::intptr_t FTag = 0;
    bool FDestroying = false;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class EStringListError : public Exception {
public:
    using Exception::Exception;
};

// An ordered list of texts, each with an optional object slot. Comparisons
// ignore the case of a to z unless CaseSensitive is set, as the platform's
// list does. With OwnsObjects the list deletes the objects it drops.
class TStringList : public TPersistent {
public:
    TStringList() = default;
    explicit TStringList(bool ownsObjects) : FOwnsObjects(ownsObjects) {}
    ~TStringList() override;

    int Count() const { return int(FItems.size()); }
    const String& operator[](int index) const { return Strings(index); }
    const String& Strings(int index) const;
    void SetStrings(int index, const String& text);
    TObject* Objects(int index) const;
    void SetObjects(int index, TObject* object);

    int Add(const String& text);
    int AddObject(const String& text, TObject* object);
    // Takes the text over without copying it.
    int AddObject(String&& text, TObject* object);
    // Room for that many entries: a list filled in a loop allocates once.
    void Reserve(int count) { if (count > 0) FItems.reserve(std::size_t(count)); }
    // The entry's text moved out; the entry keeps an empty one.
    String TakeString(int index);
    void AddStrings(const TStringList& other);
    void Insert(int index, const String& text);
    void InsertObject(int index, const String& text, TObject* object);
    void Delete(int index);
    void Clear();
    void Exchange(int a, int b);
    void Move(int from, int to);

    int IndexOf(const String& text) const;
    int IndexOfObject(const TObject* object) const;
    int IndexOfName(const String& name) const;
    // Binary search of a sorted list: true when found, index is where the text is or would go.
    bool Find(const String& text, int& index) const;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    void Sort();
    using TCompare = std::function<int(const TStringList& list, int a, int b)>;
    void CustomSort(const TCompare& compare);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates d) { FDuplicates = d; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool value) { FOwnsObjects = value; }

    // Lines joined with LF; setting splits at CR, LF or CR LF.
    String Text() const;
    void SetText(const String& text);
    String CommaText() const;
    void SetCommaText(const String& text);
    QChar Delimiter() const { return FDelimiter; }
    void SetDelimiter(QChar c) { FDelimiter = c; }
    QChar QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(QChar c) { FQuoteChar = c; }
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool v) { FStrictDelimiter = v; }
    String DelimitedText() const;
    void SetDelimitedText(const String& text);

    // "name=value" entries.
    String Names(int index) const;
    String ValueFromIndex(int index) const;
    String Values(const String& name) const;
    void SetValues(const String& name, const String& value);

    QStringList ToQStringList() const;

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    TNotifyEvent OnChange;

    void Assign(TPersistent* source) override;

private:
    struct Item {
        String text;
        TObject* object = nullptr;
    };
    int Compare(const String& a, const String& b) const;
    void CheckIndex(int index) const;
    void Changed();
    void DropObject(TObject* object);
    void InsertItem(int index, const String& text, TObject* object);

    std::vector<Item> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    bool FStrictDelimiter = false;
    TDuplicates FDuplicates = TDuplicates::dupIgnore;
    QChar FDelimiter = u',';
    QChar FQuoteChar = u'"';
    int FUpdateCount = 0;
};
