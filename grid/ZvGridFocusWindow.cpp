// The focus glow's window: a top-level pop-up above everything, never
// activated and transparent to the mouse, so it can draw past the grid.

#include "grid/ZvGridOptions.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWidget>

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 0, 0);
    SetColor(clRed);
    SetEnabled(false);
}

TGridFocusWindow::~TGridFocusWindow() = default;

bool TGridFocusWindow::Translucent()
{
    return HandleAllocated() && Handle()->testAttribute(Qt::WA_TranslucentBackground);
}

QWidget* TGridFocusWindow::CreateWidget(QWidget*)
{
    // Never a child of the grid: a child would be clipped to the grid's area.
    auto* w = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                       Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput |
                                       Qt::NoDropShadowWindowHint);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    w->setFocusPolicy(Qt::NoFocus);
    // Desktops that compose windows show the glow over what lies below;
    // elsewhere the window keeps its plain colour behind the picture.
    const QString platform = QGuiApplication::platformName();
    if (platform != u"offscreen" && platform != u"minimal") w->setAttribute(Qt::WA_TranslucentBackground);
    return w;
}

void TGridFocusWindow::CMVisibleChanged(TMessage& Message)
{
    TCustomControl::CMVisibleChanged(Message);
    // A top-level window is shown and hidden here; its parent does not do it.
    if (Visible()) HandleNeeded();
    if (HandleAllocated()) Handle()->setVisible(Visible());
}

void TGridFocusWindow::SetAlphaImage(const QImage& image)
{
    FAlphaImage = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Invalidate();
}

void TGridFocusWindow::Paint()
{
    QPainter* painter = Canvas()->Painter();
    if (!painter) return;
    const QRect area(0, 0, Width(), Height());
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    if (Translucent())
        painter->fillRect(area, Qt::transparent);
    else
        painter->fillRect(area, ToQColor(Color()));
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!FAlphaImage.isNull()) painter->drawImage(0, 0, FAlphaImage);
    TCustomControl::Paint();
}
