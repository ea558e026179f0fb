#include "core/UAbout.h"

#include "core/UComon.h"
#include "core/UDialogFrame.h"
#include "core/ZvPushButton.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

#include <QLinearGradient>
#include <QPainter>

TFAbout* FAbout = nullptr;

namespace {

constexpr TColor About_Text = 0x333333;
constexpr int Picture_Side = 81;

// The address as a user would type it: the dialog's fixed width leaves the
// link, which stands at a fixed place near the right edge, no room for more.
String Short_Web_Address()
{
    const String www = QStringLiteral("www.");
    return Maker_Web_Host.startsWith(www, Qt::CaseInsensitive) ? Maker_Web_Host.mid(www.length()) : Maker_Web_Host;
}

} // namespace

String Maker_Home_Page_Url()
{
    return QStringLiteral("http://") + Maker_Web_Host + QStringLiteral("/HOME/default.asp?frompg=") +
           Built_In_Software_Code;
}

QImage Draw_Product_Picture()
{
    // A DIN-rail gateway seen from the front: housing, label field, two
    // connectors and the status lights.
    QImage image(Picture_Side, Picture_Side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, Picture_Side);
    body.setColorAt(0, QColor(0xF4, 0xF4, 0xF4));
    body.setColorAt(1, QColor(0xC8, 0xCC, 0xD0));
    p.setPen(QPen(QColor(0x70, 0x74, 0x78), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(14.5, 4.5, 52, 72), 5, 5);
    p.setBrush(QColor(0x2E, 0x5C, 0x8A));
    p.drawRect(QRectF(20.5, 12.5, 40, 20));
    p.setPen(Qt::white);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(20, 12, 41, 20), Qt::AlignCenter, QStringLiteral("DALI"));
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    p.setBrush(QColor(0x3A, 0x3A, 0x3A));
    p.drawRect(QRectF(22.5, 56.5, 14, 12));
    p.drawRect(QRectF(44.5, 56.5, 14, 12));
    const QColor lights[] = {QColor(0x30, 0xC0, 0x40), QColor(0xF0, 0xB0, 0x20), QColor(0xE0, 0x40, 0x30)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lights[i]);
        p.drawEllipse(QRectF(25.5 + i * 12, 41.5, 6, 6));
    }
    return image;
}

QImage Draw_Brand_Picture()
{
    QImage image(Picture_Side, Picture_Side, QImage::Format_ARGB32);
    image.fill(QColor(0x2E, 0x5C, 0x8A));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(40);
    f.setBold(true);
    p.setFont(f);
    p.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Q"));
    return image;
}

TFAbout::TFAbout(TComponent* AOwner) : TForm(AOwner)
{
    SetCaption(QStringLiteral("About..."));
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(TBorderIcons{TBorderIcon::biSystemMenu});
    Set_Window_Look(this, Window_Color);
    Font()->SetColor(About_Text);
    SetClientSize(425, 148);

    auto picture = [this](const QImage& image, bool visible) {
        auto* i = new TImage(this);
        i->SetParent(this);
        i->SetBounds(32, 24, Picture_Side, Picture_Side);
        i->SetStretch(true);
        i->Picture()->SetImage(image);
        i->SetCursor(crHandPoint);
        i->SetVisible(visible);
        i->OnClick = [this](TObject* s) { Label4Click(s); };
        return i;
    };
    Image2 = picture(Draw_Product_Picture(), true);
    I_Obrant = picture(Draw_Brand_Picture(), false);

    auto label = [this](int left, int top, const String& text) {
        auto* l = new TLabel(this);
        l->SetParent(this);
        l->SetLeft(left);
        l->SetTop(top);
        l->SetTransparent(true);
        l->SetCaption(text);
        return l;
    };
    Label1 = label(128, 24, QStringLiteral("Software Quillmer "));
    Label1->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
    Label2 = label(128, 39, Built_In_Software_Description);
    Label6 = label(128, 62, QStringLiteral("Software Code : "));
    Label9 = label(240, 62, Built_In_Software_Code);
    Label3 = label(128, 77, QStringLiteral("Version :"));
    Label10 = label(240, 77, Software_Version);
    Label8 = label(128, 93, QStringLiteral("Document Code :"));
    Label12 = label(240, 93, Manual_Code);
    Label4 = label(316, 131, Short_Web_Address());
    Label4->Font()->SetColor(clBlue);
    Label4->Font()->SetStyle(TFontStyles{TFontStyle::fsUnderline});
    Label4->SetCursor(crHandPoint);
    Label4->OnClick = [this](TObject* s) { Label4Click(s); };

    ZvPushButton1 = new TZvPushButton(this);
    ZvPushButton1->SetParent(this);
    ZvPushButton1->SetBounds(32, 115, 81, 22);
    ZvPushButton1->SetColor(Window_Color);
    ZvPushButton1->SetColorWhenDown(clYellow);
    ZvPushButton1->SetCaption(QStringLiteral("OK"));
    ZvPushButton1->SetModalResult(mrOk);

    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFAbout::Set_Lang() {}

void TFAbout::FormShow(TObject*)
{
    I_Obrant->Hide();
    Image2->Show();
    Label4->Show();
    Label2->SetCaption(Built_In_Software_Description);
    Label9->SetCaption(Built_In_Software_Code);
    Label10->SetCaption(Software_Version);
    Label12->SetCaption(Manual_Code);
    SetClientSize(425, 148);
}

void TFAbout::Label4Click(TObject*) { OpenUrl(Maker_Home_Page_Url()); }
