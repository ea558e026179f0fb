#include "platform/Classes.h"

#include <algorithm>
#include <utility>

// ---- TPersistent ----------------------------------------------------------

void TPersistent::Assign(TPersistent* source)
{
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError(QStringLiteral("Cannot assign a nil to a %1").arg(QString::fromUtf8(typeid(*this).name())));
}

void TPersistent::AssignTo(TPersistent* dest)
{
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2")
                            .arg(QString::fromUtf8(typeid(*this).name()), QString::fromUtf8(typeid(*dest).name())));
}

// ---- TComponent -----------------------------------------------------------

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FDestroying = true;
    // Tell the watchers first, while this object is still whole.
    const auto watchers = FFreeNotifies;
    FFreeNotifies.clear();
    for (TComponent* w : watchers) {
        auto& back = w->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        w->Notification(this, TOperation::opRemove);
    }
    // Owned components go last-created first, each leaving the list as it goes.
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        delete c;
    }
    if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const String& name) const
{
    if (name.isEmpty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name)) return c;
    return nullptr;
}

void TComponent::FreeNotification(TComponent* other)
{
    if (!other || other == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), other) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(other);
        other->FFreeNotifies.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    auto drop = [](std::vector<TComponent*>& v, TComponent* c) { v.erase(std::remove(v.begin(), v.end(), c), v.end()); };
    drop(FFreeNotifies, other);
    if (other) drop(other->FFreeNotifies, this);
}

void TComponent::InsertComponent(TComponent* component)
{
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    component->FOwner = this;
    FComponents.push_back(component);
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it == FComponents.end()) return;
    FComponents.erase(it);
    component->FOwner = nullptr;
    Notification(component, TOperation::opRemove);
}

void TComponent::Notification(TComponent*, TOperation) {}

// ---- TStringList ----------------------------------------------------------

namespace {
const char* const kIndexError = "List index out of bounds (%1)";
}

TStringList::~TStringList()
{
    OnChange = nullptr;
    if (FOwnsObjects)
        for (Item& i : FItems) delete i.object;
}

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count()) throw EStringListError(QString::fromLatin1(kIndexError).arg(index));
}

void TStringList::Changed()
{
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TStringList::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TStringList::DropObject(TObject* object)
{
    if (FOwnsObjects) delete object;
}

int TStringList::Compare(const String& a, const String& b) const
{
    return FCaseSensitive ? QString::compare(a, b, Qt::CaseSensitive) : CompareText(a, b);
}

const String& TStringList::Strings(int index) const
{
    CheckIndex(index);
    return FItems[std::size_t(index)].text;
}

void TStringList::SetStrings(int index, const String& text)
{
    if (FSorted) throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
    CheckIndex(index);
    FItems[std::size_t(index)].text = text;
    Changed();
}

TObject* TStringList::Objects(int index) const
{
    CheckIndex(index);
    return FItems[std::size_t(index)].object;
}

void TStringList::SetObjects(int index, TObject* object)
{
    CheckIndex(index);
    TObject*& slot = FItems[std::size_t(index)].object;
    if (slot != object) DropObject(slot);
    slot = object;
    Changed();
}

int TStringList::Add(const String& text) { return AddObject(text, nullptr); }

int TStringList::AddObject(const String& text, TObject* object)
{
    int index = Count();
    if (FSorted) {
        if (Find(text, index)) {
            switch (FDuplicates) {
            case TDuplicates::dupIgnore: DropObject(object); return index;
            case TDuplicates::dupError: DropObject(object); throw EStringListError(QStringLiteral("String list does not allow duplicates"));
            case TDuplicates::dupAccept: break;
            }
        }
    }
    InsertItem(index, text, object);
    return index;
}

void TStringList::AddStrings(const TStringList& other)
{
    BeginUpdate();
    for (const Item& i : other.FItems) AddObject(i.text, i.object);
    EndUpdate();
}

void TStringList::Insert(int index, const String& text) { InsertObject(index, text, nullptr); }

void TStringList::InsertObject(int index, const String& text, TObject* object)
{
    if (FSorted) throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
    if (index < 0 || index > Count()) throw EStringListError(QString::fromLatin1(kIndexError).arg(index));
    InsertItem(index, text, object);
}

int TStringList::AddObject(String&& text, TObject* object)
{
    // A sorted list files it by the same rules as a copied text.
    if (FSorted) return AddObject(static_cast<const String&>(text), object);
    FItems.push_back(Item{std::move(text), object});
    Changed();
    return Count() - 1;
}

String TStringList::TakeString(int index)
{
    CheckIndex(index);
    return std::exchange(FItems[std::size_t(index)].text, String());
}

void TStringList::InsertItem(int index, const String& text, TObject* object)
{
    FItems.insert(FItems.begin() + index, Item{text, object});
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    TObject* o = FItems[std::size_t(index)].object;
    FItems.erase(FItems.begin() + index);
    DropObject(o);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty()) return;
    std::vector<Item> old;
    old.swap(FItems);
    for (Item& i : old) DropObject(i.object);
    Changed();
}

void TStringList::Exchange(int a, int b)
{
    CheckIndex(a);
    CheckIndex(b);
    std::swap(FItems[std::size_t(a)], FItems[std::size_t(b)]);
    Changed();
}

void TStringList::Move(int from, int to)
{
    if (from == to) return;
    CheckIndex(from);
    CheckIndex(to);
    Item item = FItems[std::size_t(from)];
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, item);
    Changed();
}

int TStringList::IndexOf(const String& text) const
{
    if (FSorted) {
        int i;
        return Find(text, i) ? i : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (Compare(FItems[std::size_t(i)].text, text) == 0) return i;
    return -1;
}

int TStringList::IndexOfObject(const TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[std::size_t(i)].object == object) return i;
    return -1;
}

bool TStringList::Find(const String& text, int& index) const
{
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = Compare(FItems[std::size_t(mid)].text, text);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (FDuplicates != TDuplicates::dupAccept) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted == FSorted) return;
    if (sorted) Sort();
    FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool value)
{
    if (value == FCaseSensitive) return;
    FCaseSensitive = value;
    if (FSorted) Sort();
}

void TStringList::Sort()
{
    std::stable_sort(FItems.begin(), FItems.end(), [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
    Changed();
}

void TStringList::CustomSort(const TCompare& compare)
{
    // Sort a permutation so the comparer can read the list by index while it runs.
    std::vector<int> order(FItems.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(FItems.size());
    for (int i : order) sorted.push_back(FItems[std::size_t(i)]);
    FItems.swap(sorted);
    Changed();
}

String TStringList::Text() const
{
    String r;
    for (const Item& i : FItems) {
        r += i.text;
        r += u'\n';
    }
    return r;
}

void TStringList::SetText(const String& text)
{
    BeginUpdate();
    Clear();
    const int n = text.size();
    int start = 0;
    for (int i = 0; i < n; ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            Add(text.mid(start, i - start));
            if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
            start = i + 1;
        }
    }
    if (start < n) Add(text.mid(start));
    EndUpdate();
}

String TStringList::DelimitedText() const
{
    // One empty item would otherwise give the empty text, which reads back as no item.
    if (Count() == 1 && FItems[0].text.isEmpty()) return String(FQuoteChar) + FQuoteChar;
    String r;
    for (int i = 0; i < Count(); ++i) {
        const String& s = FItems[std::size_t(i)].text;
        bool quote = s.contains(FQuoteChar) || s.contains(FDelimiter);
        if (!FStrictDelimiter)
            for (QChar c : s)
                if (c.unicode() <= u' ') quote = true;
        if (i > 0) r += FDelimiter;
        if (quote) {
            String q = s;
            q.replace(FQuoteChar, String(FQuoteChar) + FQuoteChar);
            r += FQuoteChar + q + FQuoteChar;
        } else {
            r += s;
        }
    }
    return r;
}

void TStringList::SetDelimitedText(const String& text)
{
    BeginUpdate();
    Clear();
    const int n = text.size();
    int i = 0;
    auto isSep = [&](QChar c) { return c == FDelimiter || (!FStrictDelimiter && c.unicode() <= u' ' && c.unicode() > 0); };
    auto skipBlanks = [&] {
        if (!FStrictDelimiter)
            while (i < n && text[i].unicode() <= u' ') ++i;
    };
    skipBlanks();
    while (i < n) {
        String item;
        if (text[i] == FQuoteChar) {
            ++i;
            while (i < n) {
                if (text[i] == FQuoteChar) {
                    if (i + 1 < n && text[i + 1] == FQuoteChar) {
                        item += FQuoteChar;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
            while (i < n && !isSep(text[i])) ++i; // text after the closing quote is dropped
        } else {
            while (i < n && !isSep(text[i])) item += text[i++];
        }
        Add(item);
        skipBlanks();
        if (i < n && text[i] == FDelimiter) {
            ++i;
            skipBlanks();
            if (i >= n) Add(String()); // a trailing delimiter ends in an empty item
        }
    }
    EndUpdate();
}

String TStringList::CommaText() const
{
    TStringList copy;
    copy.FItems = FItems;
    for (Item& i : copy.FItems) i.object = nullptr;
    return copy.DelimitedText();
}

void TStringList::SetCommaText(const String& text)
{
    const QChar d = FDelimiter, q = FQuoteChar;
    const bool strict = FStrictDelimiter;
    FDelimiter = u',';
    FQuoteChar = u'"';
    FStrictDelimiter = false;
    SetDelimitedText(text);
    FDelimiter = d;
    FQuoteChar = q;
    FStrictDelimiter = strict;
}

String TStringList::Names(int index) const
{
    const String& s = Strings(index);
    const int eq = s.indexOf(u'=');
    return eq < 0 ? String() : s.left(eq);
}

String TStringList::ValueFromIndex(int index) const
{
    const String& s = Strings(index);
    const int eq = s.indexOf(u'=');
    return eq < 0 ? String() : s.mid(eq + 1);
}

int TStringList::IndexOfName(const String& name) const
{
    for (int i = 0; i < Count(); ++i) {
        const String& s = FItems[std::size_t(i)].text;
        const int eq = s.indexOf(u'=');
        if (eq >= 0 && Compare(s.left(eq), name) == 0) return i;
    }
    return -1;
}

String TStringList::Values(const String& name) const
{
    const int i = IndexOfName(name);
    return i < 0 ? String() : ValueFromIndex(i);
}

void TStringList::SetValues(const String& name, const String& value)
{
    const int i = IndexOfName(name);
    if (value.isEmpty()) {
        if (i >= 0) Delete(i);
        return;
    }
    const String entry = name + u'=' + value;
    if (i < 0)
        Add(entry);
    else
        SetStrings(i, entry);
}

QStringList TStringList::ToQStringList() const
{
    QStringList r;
    r.reserve(Count());
    for (const Item& i : FItems) r << i.text;
    return r;
}

void TStringList::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TStringList*>(source)) {
        if (other == this) return;
        BeginUpdate();
        Clear();
        for (const Item& i : other->FItems) FItems.push_back(Item{i.text, FOwnsObjects ? nullptr : i.object});
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}
