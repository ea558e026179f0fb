// What the drop-downs rely on of a Qt pop-up window (Qt::Popup), pinned on
// bare Qt widgets so that a change of toolkit behaviour shows here first. The
// same tests run on the offscreen platform and, by hand, under a virtual X
// server (QT_QPA_PLATFORM=xcb).
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// A widget that records the events it gets.
class TRecorder : public QWidget {
public:
    using QWidget::QWidget;
    std::vector<QEvent::Type> Events;
    std::vector<Qt::FocusReason> FocusOutReasons;
    QString Keys;

protected:
    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::Close:
        case QEvent::Hide:
            Events.push_back(e->type());
            break;
        case QEvent::KeyPress:
            Keys += static_cast<QKeyEvent*>(e)->text();
            break;
        case QEvent::FocusOut:
            FocusOutReasons.push_back(static_cast<QFocusEvent*>(e)->reason());
            break;
        default:
            break;
        }
        return QWidget::event(e);
    }
};

struct TPopupFixture : ::testing::Test {
    std::unique_ptr<QWidget> Owner = std::make_unique<QWidget>();
    TRecorder* Edit = nullptr;
    TRecorder* Arrow = nullptr;
    TRecorder* Popup = nullptr;

    void SetUp() override
    {
        Owner->setGeometry(100, 100, 400, 300);
        Edit = new TRecorder(Owner.get());
        Edit->setFocusPolicy(Qt::StrongFocus);
        Edit->setGeometry(10, 10, 180, 21);
        Arrow = new TRecorder(Edit);
        Arrow->setGeometry(163, 0, 17, 21);
        Popup = new TRecorder(Owner.get(), Qt::Popup | Qt::FramelessWindowHint);
        Popup->setFocusPolicy(Qt::StrongFocus);
        Popup->setGeometry(110, 131, 200, 120);
        Owner->show();
        Owner->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Owner.get()));
        Edit->setFocus();
        QApplication::processEvents();
    }

    void OpenPopup()
    {
        Popup->show();
        QApplication::processEvents();
        ASSERT_TRUE(Popup->isVisible());
        ASSERT_EQ(QApplication::activePopupWidget(), Popup);
    }
};

TEST_F(TPopupFixture, APressOutsideClosesIt)
{
    OpenPopup();
    QTest::mouseClick(Owner->windowHandle(), Qt::LeftButton, {}, QPoint(300, 250));
    QApplication::processEvents();
    EXPECT_FALSE(Popup->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    // The press outside reaches the pop-up itself first, which closes: a
    // pop-up that handles its presses must close on one outside itself.
    ASSERT_FALSE(Popup->Events.empty());
    EXPECT_EQ(Popup->Events.front(), QEvent::MouseButtonPress);
}

// The press on the arrow of an open drop-down is spent on closing the pop-up;
// the button sees at most the release, which the edit's 250 ms guard turns away.
TEST_F(TPopupFixture, APressOnTheArrowClosesItAndIsNotAClickOnTheArrow)
{
    OpenPopup();
    Popup->setAttribute(Qt::WA_NoMouseReplay);
    const QPoint onArrow = Arrow->mapTo(Owner.get(), QPoint(8, 10));
    QTest::mousePress(Owner->windowHandle(), Qt::LeftButton, {}, onArrow);
    QApplication::processEvents();
    EXPECT_FALSE(Popup->isVisible());
    EXPECT_EQ(std::count(Arrow->Events.begin(), Arrow->Events.end(), QEvent::MouseButtonPress), 0);
    QTest::mouseRelease(Owner->windowHandle(), Qt::LeftButton, {}, onArrow);
    QApplication::processEvents();
}

TEST_F(TPopupFixture, KeysGoToThePopupWhileItIsOpen)
{
    OpenPopup();
    QTest::keyClick(Owner->windowHandle(), Qt::Key_A, {});
    QApplication::processEvents();
    EXPECT_EQ(Popup->Keys, QStringLiteral("a"));
    EXPECT_EQ(Edit->Keys, QString());
}

// The edit's focus-out while its pop-up opens carries the pop-up reason, so
// it does not count as leaving the edit, and the focus comes back to it.
TEST_F(TPopupFixture, TheEditLosesTheFocusToThePopupWithThePopupReason)
{
    ASSERT_TRUE(Edit->hasFocus());
    OpenPopup();
    ASSERT_FALSE(Edit->FocusOutReasons.empty());
    EXPECT_EQ(Edit->FocusOutReasons.back(), Qt::PopupFocusReason);
    Popup->hide();
    QApplication::processEvents();
    EXPECT_TRUE(Edit->hasFocus());
}

// A modal dialog opened from inside a Qt pop-up closes the pop-up: Qt closes
// every pop-up when a modal window shows. This is why the drop-down's pop-up
// is not a Qt::Popup but a frameless top-level window that watches presses
// and activation itself (TDropDownForm).
TEST_F(TPopupFixture, AModalDialogClosesAQtPopup)
{
    OpenPopup();
    QDialog dialog(Popup);
    dialog.setModal(true);
    dialog.show();
    QApplication::processEvents();
    EXPECT_FALSE(Popup->isVisible());
}

// The same dialog over a frameless top-level window gets its clicks, and the
// window stays open under it.
TEST_F(TPopupFixture, AModalDialogOverAFramelessWindowGetsItsClicks)
{
    auto* window = new QWidget(Owner.get(), Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window->setGeometry(110, 131, 200, 120);
    window->show();
    window->activateWindow();
    QApplication::processEvents();
    auto* dialog = new QDialog(window);
    dialog->setGeometry(120, 140, 150, 80);
    auto* button = new QPushButton(QStringLiteral("OK"), dialog);
    button->setGeometry(10, 10, 60, 24);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    dialog->setModal(true);
    dialog->show();
    QApplication::processEvents();
    QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    QApplication::processEvents();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(window->isVisible());
    delete dialog;
}

} // namespace
