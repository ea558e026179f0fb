#pragma once
// The edit-mask rules of the class library's masked edits, apart from any
// control: which character may stand where, what a literal is, and what
// typing, Backspace, Delete and writing a whole text do to a masked text.
// The text a control shows under a mask ("edit text") always has one
// character per mask position: literals in place, a blank where nothing was
// typed. Controls keep the caret and the text and ask this engine.
//
// A mask has up to three fields split by ';': the positions, then '0' or '1'
// (whether the value keeps the literals; default 1), then the blank character
// (default '_'). Position characters:
//   '0' digit, required          '9' digit, optional
//   '#' digit, '+' or '-', optional
//   'L' letter, required         'l' letter, optional
//   'A' letter or digit, req.    'a' letter or digit, optional
//   'C' any character, required  'c' any character, optional
//   '>' what follows is upper-cased, '<' lower-cased, "<>" neither
//   '\' the next character is a literal
//   ':' the regional time separator, '/' the regional date separator
//   '_' a literal blank
//   '!' optional positions left empty stand as leading blanks in the value
//       (without it, as trailing ones)
// Every other character is a literal. '>', '<', '!' and '\' take no position.

#include "platform/SysUtils.h"

#include <vector>

struct TFormatSettings;

class TEditMask {
public:
    enum class TKind { Literal, Digit, DigitOrSign, Letter, AlphaNum, AnyChar };
    enum class TCase { Keep, Upper, Lower };
    struct TPosition {
        TKind Kind = TKind::Literal;
        bool Required = false;
        TCase Case = TCase::Keep;
        QChar Literal;   // for TKind::Literal
    };

    TEditMask() = default;
    // Reads a mask with the separators of the regional settings in force.
    explicit TEditMask(const String& mask);
    TEditMask(const String& mask, const TFormatSettings& settings);

    bool Empty() const { return FPositions.empty(); }
    const String& Source() const { return FSource; }
    int Length() const { return int(FPositions.size()); }
    const TPosition& At(int pos) const { return FPositions[size_t(pos)]; }
    bool IsLiteral(int pos) const;
    bool SaveLiterals() const { return FSaveLiterals; }
    QChar Blank() const { return FBlank; }
    bool LeadingBlanks() const { return FLeadingBlanks; }

    // `c` as it would stand at `pos` (case applied); a null QChar when it may not.
    QChar Accept(int pos, QChar c) const;
    // The edit text with nothing typed: literals and blanks.
    String EmptyText() const;
    // The first editable position at or after `pos`; Length() when none.
    int NextEditable(int pos) const;
    // The last editable position before `pos`; -1 when none.
    int PreviousEditable(int pos) const;

    // The edit text for a value written by code: a value with the literals
    // in place is laid over the mask; without them (or a shorter value) its
    // characters fill the editable positions in order (from the right with
    // '!'). A character a position does not take leaves it blank.
    String Apply(const String& value) const;
    // The value of an edit text: without the literals unless the mask keeps them.
    String Value(const String& editText) const;
    // Every required position holds a character.
    bool Complete(const String& editText) const;

    // The result of one edit on a masked text.
    struct TEditResult {
        bool Accepted = false;
        String Text;
        int Caret = 0;
    };
    // A typed character over the selection [selStart, selStart + selLength):
    // the selection is blanked, the character goes to the first editable
    // position from selStart (a literal typed on itself just steps over it),
    // and the caret moves past it and the literals that follow.
    TEditResult Type(const String& editText, int selStart, int selLength, QChar c) const;
    // Backspace: blanks the selection, or the editable position before the caret.
    TEditResult Backspace(const String& editText, int selStart, int selLength) const;
    // Delete: blanks the selection, or the editable position at the caret.
    TEditResult Delete(const String& editText, int selStart, int selLength) const;

private:
    String Normalised(const String& editText) const;
    String BlankRange(String text, int from, int to) const;

    String FSource;
    std::vector<TPosition> FPositions;
    bool FSaveLiterals = true;
    QChar FBlank = u'_';
    bool FLeadingBlanks = false;
};
