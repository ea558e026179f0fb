#include "platform/Classes.h"

#include "tests/common/TestUtil.h"

#include <gtest/gtest.h>

namespace {

QStringList Items(const TStringList& list) { return list.ToQStringList(); }

TStringList& Fill(TStringList& list, const QStringList& items)
{
    for (const String& s : items) list.Add(s);
    return list;
}

// Counts its own deletions so ownership can be checked.
struct Tracked : TObject {
    explicit Tracked(int& deletions) : FDeletions(deletions) {}
    ~Tracked() override { ++FDeletions; }
    int& FDeletions;
};

TEST(StringList, SortedListsKeepOrderAndHandleDuplicates)
{
    struct Case {
        TDuplicates dup;
        QStringList expected;
    } cases[] = {
        {TDuplicates::dupIgnore, {"a", "B", "c"}},
        {TDuplicates::dupAccept, {"a", "B", "b", "B", "c"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetDuplicates(c.dup);
        list.SetSorted(true);
        Fill(list, {"c", "B", "a", "b", "B"});
        EXPECT_EQ(Items(list), c.expected);
    }

    TStringList strict;
    strict.SetDuplicates(TDuplicates::dupError);
    strict.SetSorted(true);
    Fill(strict, {"x", "y"});
    EXPECT_THROW(strict.Add(QStringLiteral("X")), EStringListError);
    EXPECT_EQ(strict.Count(), 2);
    EXPECT_THROW(strict.Insert(0, QStringLiteral("z")), EStringListError) << "a sorted list decides the place";
    EXPECT_THROW(strict.SetStrings(0, QStringLiteral("z")), EStringListError);
}

TEST(StringList, FindReportsWhereATextIsOrWouldGo)
{
    TStringList list;
    list.SetSorted(true);
    Fill(list, {"b", "d", "f"});
    struct Case {
        const char* text;
        bool found;
        int index;
    } cases[] = {{"a", false, 0}, {"b", true, 0}, {"B", true, 0}, {"c", false, 1}, {"f", true, 2}, {"g", false, 3}, {"", false, 0}};
    for (const Case& c : cases) {
        int index = -1;
        EXPECT_EQ(list.Find(QString::fromLatin1(c.text), index), c.found) << c.text;
        EXPECT_EQ(index, c.index) << c.text;
    }

    TStringList dups;
    dups.SetDuplicates(TDuplicates::dupAccept);
    dups.SetSorted(true);
    Fill(dups, {"a", "b", "b", "b", "c"});
    int index = -1;
    EXPECT_TRUE(dups.Find(QStringLiteral("b"), index));
    EXPECT_EQ(index, 1) << "the first of equal texts";
    EXPECT_EQ(dups.IndexOf(QStringLiteral("B")), 1);
}

TEST(StringList, CaseRules)
{
    TStringList list;
    Fill(list, {"Alpha", "\u00C9t\u00E9", "beta"});
    EXPECT_EQ(list.IndexOf(QStringLiteral("ALPHA")), 0);
    EXPECT_EQ(list.IndexOf(QStringLiteral("BETA")), 2);
    EXPECT_EQ(list.IndexOf(QStringLiteral("\u00C9T\u00E9")), 1) << "a to z fold";
    EXPECT_EQ(list.IndexOf(QStringLiteral("\u00E9t\u00E9")), -1) << "other letters compare as they are";
    EXPECT_EQ(list.IndexOf(QStringLiteral("Alph")), -1);

    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf(QStringLiteral("ALPHA")), -1);
    EXPECT_EQ(list.IndexOf(QStringLiteral("Alpha")), 0);

    // Switching case sensitivity re-sorts a sorted list.
    TStringList sorted;
    sorted.SetSorted(true);
    sorted.SetDuplicates(TDuplicates::dupAccept);
    Fill(sorted, {"b", "A", "a", "B"});
    sorted.SetCaseSensitive(true);
    EXPECT_EQ(Items(sorted), (QStringList{"A", "B", "a", "b"}));
    int index;
    EXPECT_TRUE(sorted.Find(QStringLiteral("a"), index));
    EXPECT_EQ(index, 2);
}

TEST(StringList, TextSplitsAtEveryLineEnd)
{
    struct Case {
        const char* text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\n\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"\n\r", {"", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {" x \t", {" x \t"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.Add(QStringLiteral("old"));
        list.SetText(QString::fromLatin1(c.text));
        EXPECT_EQ(Items(list), c.lines) << c.text;
    }
    TStringList list;
    Fill(list, {"a", "", "b"});
    EXPECT_EQ(list.Text(), QStringLiteral("a\n\nb\n"));
    TStringList back;
    back.SetText(list.Text());
    EXPECT_EQ(Items(back), Items(list));
}

TEST(StringList, CommaTextQuotesWhatWouldOtherwiseSplit)
{
    struct Case {
        QStringList items;
        const char* comma;
    } cases[] = {
        {{"a", "b"}, "a,b"},
        {{"a b", "c"}, "\"a b\",c"},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"x,y"}, "\"x,y\""},
        {{"", "a"}, ",a"},
        {{"a", ""}, "a,"},
        {{""}, "\"\""},
        {{}, ""},
        {{"tab\there"}, "\"tab\there\""},
    };
    for (const Case& c : cases) {
        TStringList list;
        Fill(list, c.items);
        EXPECT_EQ(list.CommaText(), QString::fromLatin1(c.comma)) << c.comma;
        TStringList back;
        back.SetCommaText(list.CommaText());
        EXPECT_EQ(Items(back), c.items) << c.comma;
    }
}

TEST(StringList, ReadsDelimitedTextWithBlanksAndQuotes)
{
    struct Case {
        const char* text;
        char delimiter;
        bool strict;
        QStringList items;
    } cases[] = {
        {"a b,c", ',', false, {"a", "b", "c"}},
        {"a b,c", ',', true, {"a b", "c"}},
        {"  a ,  b  ", ',', false, {"a", "b"}},
        {"\"a , b\" , c", ',', false, {"a , b", "c"}},
        {"\"a\"\"b\"", ',', false, {"a\"b"}},
        {"\"open", ',', false, {"open"}},
        {"a;b;;c", ';', true, {"a", "b", "", "c"}},
        {"a;", ';', true, {"a", ""}},
        {";", ';', true, {"", ""}},
        {"", ';', true, {}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetDelimiter(QChar(c.delimiter));
        list.SetStrictDelimiter(c.strict);
        list.SetDelimitedText(QString::fromLatin1(c.text));
        EXPECT_EQ(Items(list), c.items) << c.text;
    }

    TStringList semi;
    semi.SetDelimiter(u';');
    semi.SetStrictDelimiter(true);
    Fill(semi, {"a b", "c;d", "", "e\"f"});
    EXPECT_EQ(semi.DelimitedText(), QStringLiteral("a b;\"c;d\";;\"e\"\"f\""));
    TStringList back;
    back.SetDelimiter(u';');
    back.SetStrictDelimiter(true);
    back.SetDelimitedText(semi.DelimitedText());
    EXPECT_EQ(Items(back), Items(semi));
}

TEST(StringList, NamesAndValues)
{
    TStringList list;
    Fill(list, {"Port=10001", "empty=", "noequals", "a=b=c"});
    EXPECT_EQ(list.Names(0), QStringLiteral("Port"));
    EXPECT_EQ(list.ValueFromIndex(0), QStringLiteral("10001"));
    EXPECT_EQ(list.Names(2), String());
    EXPECT_EQ(list.Values(QStringLiteral("PORT")), QStringLiteral("10001"));
    EXPECT_EQ(list.Values(QStringLiteral("a")), QStringLiteral("b=c"));
    EXPECT_EQ(list.Values(QStringLiteral("missing")), String());
    EXPECT_EQ(list.IndexOfName(QStringLiteral("empty")), 1);

    list.SetValues(QStringLiteral("port"), QStringLiteral("2"));
    EXPECT_EQ(list[0], QStringLiteral("port=2"));
    list.SetValues(QStringLiteral("new"), QStringLiteral("v"));
    EXPECT_EQ(list[list.Count() - 1], QStringLiteral("new=v"));
    list.SetValues(QStringLiteral("a"), String());
    EXPECT_EQ(list.IndexOfName(QStringLiteral("a")), -1) << "an empty value removes the entry";
}

TEST(StringList, OwnedObjectsAreDeletedWhenDropped)
{
    int deleted = 0;
    {
        TStringList list(true);
        list.AddObject(QStringLiteral("a"), new Tracked(deleted));
        list.AddObject(QStringLiteral("b"), new Tracked(deleted));
        list.AddObject(QStringLiteral("c"), new Tracked(deleted));
        list.AddObject(QStringLiteral("d"), new Tracked(deleted));
        list.Delete(0);
        EXPECT_EQ(deleted, 1);
        list.SetObjects(0, new Tracked(deleted)); // replaces b's object
        EXPECT_EQ(deleted, 2);
        list.SetObjects(0, list.Objects(0)); // the same object stays
        EXPECT_EQ(deleted, 2);
        list.Exchange(0, 1);
        list.Move(0, 2);
        EXPECT_EQ(deleted, 2) << "reordering keeps the objects";
        EXPECT_EQ(Items(list), (QStringList{"b", "d", "c"}));
        list.Clear();
        EXPECT_EQ(deleted, 5);
        list.AddObject(QStringLiteral("e"), new Tracked(deleted));
    }
    EXPECT_EQ(deleted, 6) << "the list's end deletes what it still holds";

    deleted = 0;
    Tracked kept(deleted);
    {
        TStringList list;
        list.AddObject(QStringLiteral("a"), &kept);
        list.Delete(0);
        list.AddObject(QStringLiteral("a"), &kept);
    }
    EXPECT_EQ(deleted, 0) << "a list that does not own its objects leaves them alone";

    // A copy never takes ownership of another list's objects.
    deleted = 0;
    {
        TStringList owner(true);
        owner.AddObject(QStringLiteral("a"), new Tracked(deleted));
        TStringList copy(true);
        copy.Assign(&owner);
        EXPECT_EQ(Items(copy), (QStringList{"a"}));
        EXPECT_EQ(copy.Objects(0), nullptr);
    }
    EXPECT_EQ(deleted, 1);
}

TEST(StringList, IndexErrorsAndChangeEvents)
{
    TStringList list;
    Fill(list, {"a", "b"});
    EXPECT_THROW(list.Strings(2), EStringListError);
    EXPECT_THROW(list.Strings(-1), EStringListError);
    EXPECT_THROW(list.Delete(5), EStringListError);
    EXPECT_THROW(list.Insert(3, QStringLiteral("x")), EStringListError);
    EXPECT_NO_THROW(list.Insert(2, QStringLiteral("c")));
    try {
        list.Objects(9);
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (9)"));
    }

    int changes = 0;
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changes;
    };
    list.Add(QStringLiteral("d"));
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add(QStringLiteral("e"));
    list.Delete(0);
    list.Sort();
    EXPECT_EQ(changes, 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 2) << "one notice for the whole update";
    list.SetText(QStringLiteral("x\ny"));
    EXPECT_EQ(changes, 3);
}

TEST(StringList, CustomSortReadsTheListByIndex)
{
    TStringList list;
    Fill(list, {"10", "9", "100", "9"});
    list.CustomSort([](const TStringList& l, int a, int b) { return l[a].toInt() - l[b].toInt(); });
    EXPECT_EQ(Items(list), (QStringList{"9", "9", "10", "100"}));
}

// A component that records the notices it gets.
class Watcher : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<std::pair<TComponent*, bool>> notices; // (component, removed)
    int* deleted = nullptr;
    ~Watcher() override
    {
        if (deleted) ++*deleted;
    }

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        notices.emplace_back(c, op == TOperation::opRemove);
    }
};

// Addresses compared after the object is gone.
std::uintptr_t Id(const TComponent* c) { return reinterpret_cast<std::uintptr_t>(c); }

TEST(Component, OwnerDeletesWhatItOwns)
{
    int deleted = 0;
    auto* owner = new Watcher(nullptr);
    owner->deleted = &deleted;
    auto* a = new Watcher(owner);
    a->deleted = &deleted;
    auto* b = new Watcher(owner);
    b->deleted = &deleted;
    auto* grandchild = new Watcher(a);
    grandchild->deleted = &deleted;
    b->SetName(QStringLiteral("Btn_OK"));

    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(a->Owner(), owner);
    EXPECT_EQ(owner->FindComponent(QStringLiteral("btn_ok")), b);
    EXPECT_EQ(owner->FindComponent(String()), nullptr);
    ASSERT_EQ(owner->notices.size(), 2u);
    EXPECT_FALSE(owner->notices[0].second);

    // A child deleted first leaves its owner's list.
    const auto bId = Id(b);
    delete b;
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(Id(owner->notices.back().first), bId);
    EXPECT_TRUE(owner->notices.back().second);

    delete owner;
    EXPECT_EQ(deleted, 4) << "owner, child and grandchild";
}

TEST(Component, ChangingOwners)
{
    TComponent first(nullptr), second(nullptr);
    auto* c = new TComponent(&first);
    second.InsertComponent(c);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.ComponentCount(), 1);
    EXPECT_EQ(c->Owner(), &second);
    second.RemoveComponent(c);
    EXPECT_EQ(c->Owner(), nullptr);
    delete c;
    EXPECT_EQ(second.ComponentCount(), 0);
}

TEST(Component, FreeNotificationTellsTheWatcherEitherWay)
{
    {
        Watcher watcher(nullptr);
        auto* watched = new Watcher(nullptr);
        watched->FreeNotification(&watcher);
        watched->FreeNotification(&watcher); // once only
        const auto watchedId = Id(watched);
        delete watched;
        ASSERT_EQ(watcher.notices.size(), 1u);
        EXPECT_EQ(Id(watcher.notices[0].first), watchedId);
        EXPECT_TRUE(watcher.notices[0].second);
    }
    {
        // The watcher goes first: the watched one must not call it later.
        auto* watcher = new Watcher(nullptr);
        Watcher watched(nullptr);
        watched.FreeNotification(watcher);
        delete watcher;
        ASSERT_EQ(watched.notices.size(), 1u); // and it hears of the watcher's end
    }
    {
        Watcher watcher(nullptr);
        auto* watched = new Watcher(nullptr);
        watched->FreeNotification(&watcher);
        watched->RemoveFreeNotification(&watcher);
        delete watched;
        EXPECT_TRUE(watcher.notices.empty());
    }
    {
        // Siblings that watch each other, ended by their owner in either order.
        Watcher owner(nullptr);
        auto* a = new Watcher(&owner);
        auto* b = new Watcher(&owner);
        a->FreeNotification(b);
        b->FreeNotification(a);
    }
}

TEST(Persistent, AssignRefusesWhatItCannotCopy)
{
    TStringList list;
    EXPECT_THROW(list.Assign(nullptr), EConvertError);
    TComponent c(nullptr);
    EXPECT_THROW(list.Assign(&c), EConvertError);
}

} // namespace
