#include "grid/editors/ZvCellEditorRegistry.h"

#include <algorithm>

// The registrations of the grid's own editor kinds, each in its editor's file.
void RegisterTextCellEditor(TZvCellEditorRegistry& Registry);
void RegisterComboCellEditor(TZvCellEditorRegistry& Registry);
void RegisterCheckBoxCellEditor(TZvCellEditorRegistry& Registry);
void RegisterEditBtnCellEditors(TZvCellEditorRegistry& Registry);
void RegisterButtonCellEditor(TZvCellEditorRegistry& Registry);
void RegisterSpinCellEditor(TZvCellEditorRegistry& Registry);
void RegisterDatePickerCellEditors(TZvCellEditorRegistry& Registry);
void RegisterRichEditCellEditor(TZvCellEditorRegistry& Registry);
void RegisterEditLinkCellEditor(TZvCellEditorRegistry& Registry);

namespace {

// The grid's own kinds, in the order their editors are made with a grid.
constexpr void (*BuiltInEditors[])(TZvCellEditorRegistry&) = {
    &RegisterComboCellEditor,
    &RegisterCheckBoxCellEditor,
    &RegisterEditBtnCellEditors,
    &RegisterButtonCellEditor,
    &RegisterSpinCellEditor,
    &RegisterDatePickerCellEditors,
    &RegisterRichEditCellEditor,
    &RegisterEditLinkCellEditor,
    &RegisterTextCellEditor,
};

} // namespace

TZvCellEditorRegistry& TZvCellEditorRegistry::Instance()
{
    static TZvCellEditorRegistry registry = [] {
        TZvCellEditorRegistry r;
        for (auto* add : BuiltInEditors) add(r);
        return r;
    }();
    return registry;
}

void TZvCellEditorRegistry::Register(TZvCellEditorEntry Entry)
{
    if (Entry.Name.isEmpty() || !Entry.Factory || Entry.Kinds.empty())
        throw Exception(QStringLiteral("A cell editor needs a name, its kinds and a factory"));
    Unregister(Entry.Name);
    FEntries.push_back(std::move(Entry));
}

bool TZvCellEditorRegistry::Unregister(const String& Name)
{
    const auto it = std::find_if(FEntries.begin(), FEntries.end(), [&](const auto& e) { return e.Name == Name; });
    if (it == FEntries.end()) return false;
    FEntries.erase(it);
    return true;
}

const TZvCellEditorEntry* TZvCellEditorRegistry::Find(TEditorType Kind) const
{
    for (auto it = FEntries.rbegin(); it != FEntries.rend(); ++it)
        if (std::find(it->Kinds.begin(), it->Kinds.end(), Kind) != it->Kinds.end()) return &*it;
    return nullptr;
}

const TZvCellEditorEntry* TZvCellEditorRegistry::FindByName(const String& Name) const
{
    for (const auto& e : FEntries)
        if (e.Name == Name) return &e;
    return nullptr;
}
