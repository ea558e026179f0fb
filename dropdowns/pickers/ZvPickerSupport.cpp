// The caption search and the selector moves the picking drop-downs share.
#include "dropdowns/pickers/ZvPickerSupport.h"

#include "dropdowns/base/ZvItemSelector.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/Timers.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace {
constexpr unsigned SearchTimeoutMs = 500;
}

TPickerSearch::TPickerSearch(TComponent* owner, bool restartEachKey)
    : FTimer(std::make_unique<TTimer>(owner)), FRestartEachKey(restartEachKey)
{
    FTimer->SetEnabled(false);
    FTimer->SetInterval(SearchTimeoutMs);
    FTimer->OnTimer = [this](TObject*) { Elapsed(); };
}

TPickerSearch::~TPickerSearch()
{
    FTimer->SetEnabled(false);
}

void TPickerSearch::Add(WORD key)
{
    // Shift, Ctrl, Alt and Caps Lock type no letter.
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_CAPITAL) return;
    FText += QChar(key);
    if (FRestartEachKey) FTimer->SetEnabled(false);
    FTimer->SetEnabled(true);
}

void TPickerSearch::Elapsed()
{
    FTimer->SetEnabled(false);
    FText.clear();
}

void MoveSelectorTo(TZvCustomItemSelector& selector, bool& internalCall, int index)
{
    if (index < 0 || index >= selector.Items()->Count()) return;
    AsInternalCall(internalCall, [&] {
        selector.SetItemIndex(index);
        selector.ScrollItemInView(selector.ItemIndex());
    });
}

int SelectorPageTarget(const TZvCustomItemSelector& selector, bool down, int count)
{
    const int n = selector.GetVisibleItemCount();
    if (n < 1) return -1;
    const int from = selector.ItemIndex();
    const int target = down ? std::min(from + n, count - 1) : std::max(0, from - n);
    return target < 0 ? -1 : target;
}

void PaintOverWidget(QWidget* widget, const std::function<void(TCanvas&)>& paint)
{
    if (!widget) return;
    QPainter painter(widget);
    TCanvas canvas;
    canvas.BeginPaint(&painter);
    paint(canvas);
    canvas.EndPaint();
}

int VerticalScrollBarWidth()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

int ListStepTarget(TListStep step, int current, int count)
{
    if (count <= 0) return -1;
    switch (step) {
    case TListStep::First: return 0;
    case TListStep::Last: return count - 1;
    case TListStep::Next: return current < 0 ? 0 : current + 1 < count ? current + 1 : -1;
    case TListStep::Previous: return current < 0 ? 0 : current >= 1 ? current - 1 : -1;
    }
    return -1;
}
