#pragma once
// The cell editors by kind. An entry names the kinds one editor serves and the
// factory that makes that editor for a grid; each grid makes one editor per
// entry and shares it between the entry's kinds. The grid's own kinds register
// from one list in ZvCellEditorRegistry.cpp, before the first grid asks; kinds
// built on later floors (the drop-down editors) register at start-up from
// their own floor, so the grid includes no concrete editor. A later entry for
// a kind takes it over from an earlier one.
//
// Adding a kind: its class (its own .h and .cpp, deriving from the control it
// is and TZvCellEditor, with a registration function beside it), one line in
// its folder's CMake list, and one registration: a line in the list in
// ZvCellEditorRegistry.cpp for a kind of the grid's own, or a call at start-up
// from the kind's own floor.

#include "grid/support/ZvGridTypes.h"
#include "platform/SysUtils.h"

#include <functional>
#include <vector>

class TZvCellEditor;
class TZvStringGrid;

// Makes the editor as a component of Grid, hidden; the grid owns and frees it.
using TZvCellEditorFactory = std::function<TZvCellEditor*(TZvStringGrid* Grid)>;

struct TZvCellEditorEntry {
    String Name;
    std::vector<TEditorType> Kinds;
    TZvCellEditorFactory Factory;
    // Made when first asked for, not with the grid (the text editor: the
    // platform grid asks for it when it first edits).
    bool MadeOnFirstUse = false;
};

class TZvCellEditorRegistry {
public:
    // The one registry of the program, holding the grid's own kinds.
    static TZvCellEditorRegistry& Instance();

    // Adds an entry, or replaces the entry of the same name. Grids made before
    // keep the editors they made; a new entry's editor is made on first use.
    void Register(TZvCellEditorEntry Entry);
    // Removes the entry of that name; false when there is none.
    bool Unregister(const String& Name);

    // The entry serving Kind (the latest registered), or nullptr.
    const TZvCellEditorEntry* Find(TEditorType Kind) const;
    const TZvCellEditorEntry* FindByName(const String& Name) const;
    const std::vector<TZvCellEditorEntry>& Entries() const { return FEntries; }

private:
    std::vector<TZvCellEditorEntry> FEntries;
};
