#include "about/frmAbout.h"

#include "about/PictureBoxCanvas.h"
#include "platform/LinkLabel.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <string>

namespace lanternix {

namespace {

// KEY_READ: query value, enumerate subkeys, notify and read control. The box only reads, and
// asking for write access to HKEY_LOCAL_MACHINE is refused to users without administrator
// rights.
constexpr std::uint32_t KeyAccess = 0x20019;
constexpr std::uint32_t ValueBufferSize = 1024;

const QString SysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString SysInfoValue = QStringLiteral("PATH");
const QString SysInfoFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString SysInfoFolderValue = QStringLiteral("MSINFO");
const QString SysInfoProgram = QStringLiteral("\\MSINFO32.EXE");
const QString SysInfoUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect place) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(place);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QWidget* line(QWidget* parent, QRect place, QColor color) {
    auto* w = new QWidget(parent);
    w->setObjectName(QStringLiteral("Line1"));
    w->setGeometry(place);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, color);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
    return w;
}

} // namespace

frmAbout::frmAbout(const QIcon& icon, Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
    buildControls();
    Form_Load(icon);
}

frmAbout::~frmAbout() = default;

void frmAbout::buildControls() {
    setObjectName(QStringLiteral("frmAbout"));
    // A fixed dialog frame: no resizing, no minimise or maximise buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(382, 237);

    picIcon = new PictureBox(PictureBox::Fixed3D, this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->place(6, 5, 68, 68);
    picIcon->setCursor(Qt::PointingHandCursor);

    Image1 = new LinkLabel(picIcon);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/about/AboutImage1.bmp")));
    Image1->setScaledContents(true);
    // Its place is given within picIcon's inner area, inside the border.
    const QPoint inner = picIcon->contentsRect().topLeft();
    Image1->setGeometry(inner.x() + 8, inner.y() + 16, 48, 30);

    // The logo is only read from, so the box stays hidden and the logo stays a surprise.
    Picture1 = new PictureBox(PictureBox::None, this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->place(3, 86, 64, 64);
    Picture1->setPicture(
        QImage(QStringLiteral(":/about/AboutLogo.bmp")).convertToFormat(QImage::Format_RGB32));
    Picture1->hide();

    lblTitle = label(this, "lblTitle", QStringLiteral("Application Title"), {81, 16, 259, 32});
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.75);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = label(this, "lblVersion", QStringLiteral("Version"), {81, 52, 259, 15});

    lblDescription =
        label(this, "lblDescription",
              QStringLiteral("Lanternix is free, and you may copy it for your friends. I wrote it "
                             "because many people have trouble making buttons with HTML and "
                             "JavaScript, so it is meant to be very easy to use. Please send any "
                             "errors you find to lanternix@example.org."),
              {81, 75, 259, 78});
    lblDescription->setWordWrap(true);

    Line1[0] = line(this, {6, 163, 372, 1}, QColor(0x80, 0x80, 0x80));
    Line1[1] = line(this, {7, 164, 371, 2}, Qt::white);

    lblDisclaimer =
        label(this, "lblDisclaimer", QStringLiteral("CAREWARE / FREEWARE"), {17, 175, 258, 23});

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(283, 175, 84, 23);
    cmdOK->setDefault(true);

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(284, 205, 83, 23);

    Label1 = label(this, "Label1", QStringLiteral("Made by hand"), {0, 224, 78, 13});
    Label2 =
        label(this, "Label2", QStringLiteral("www.example.org/lanternix"), {136, 224, 147, 13});

    Timer1 = new QTimer(this);
    Timer1->setInterval(10);

    // Tab order as the controls were numbered; labels and the hidden logo take no focus.
    QWidget* const order[] = {cmdOK,    picIcon,    cmdSysInfo, lblDescription, lblDisclaimer,
                              lblTitle, lblVersion, Label1,     Picture1,       Label2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    cmdOK->setFocus();

    canvas_ = std::make_unique<PictureBoxCanvas>(*Picture1, *picIcon);

    connect(Image1, &LinkLabel::Click, this, &frmAbout::Image1_Click);
    connect(picIcon, &PictureBox::Click, this, &frmAbout::picIcon_Click);
    connect(Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load(const QIcon& icon) {
    // Seconds since midnight, with their fraction in milliseconds.
    random_.Randomize(static_cast<std::uint32_t>(QTime::currentTime().msecsSinceStartOfDay()));
    setWindowIcon(icon);
    setWindowTitle(QStringLiteral("About ") + AppTitle);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(VersionMajor)
                            .arg(VersionMinor)
                            .arg(VersionRevision));
    lblTitle->setText(AppTitle);
}

bool frmAbout::event(QEvent* e) {
    // Only a change between this box and another of the program's windows counts; going to
    // another program or to a message box and back is not an activation.
    if (e->type() == QEvent::WindowDeactivate) {
        const QWidget* next = QApplication::activeWindow();
        if (next == nullptr || qobject_cast<const QMessageBox*>(next) != nullptr)
            awayQuietly_ = true;
        else
            Form_Deactivate();
    } else if (e->type() == QEvent::WindowActivate) {
        if (awayQuietly_)
            awayQuietly_ = false;
        else
            Form_Activate();
    }
    return QDialog::event(e);
}

void frmAbout::Form_Activate() {
    Image1->show();
    reveal_.Reset(random_);
}

void frmAbout::Form_Deactivate() {
    Timer1->stop();
}

void frmAbout::Image1_Click() {
    Timer1->start();
    Image1->hide();
}

void frmAbout::picIcon_Click() {
    Timer1->start();
    Image1->hide();
}

void frmAbout::Timer1_Timer() {
    if (!reveal_.Tick(*canvas_, random_))
        Timer1->stop();
}

void frmAbout::cmdOK_Click() {
    done(QDialog::Accepted);
}

void frmAbout::reject() {
    cmdOK_Click();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void frmAbout::StartSysInfo() {
    try {
        QString SysInfoPath;
        if (GetKeyValue(HKeyLocalMachine, SysInfoKey, SysInfoValue, SysInfoPath)) {
            // Started as registered, with no check that it is there.
        } else if (GetKeyValue(HKeyLocalMachine, SysInfoFolderKey, SysInfoFolderValue,
                               SysInfoPath) &&
                   platform_.fileExists(SysInfoPath + SysInfoProgram)) {
            SysInfoPath += SysInfoProgram;
        } else {
            platform_.messageBox(this, SysInfoUnavailable, vbOKOnly);
            return;
        }
        if (platform_.startProgram(SysInfoPath))
            return;
    } catch (const std::exception&) {
        // Any failure on the way means the same to the user.
    }
    platform_.messageBox(this, SysInfoUnavailable, vbOKOnly);
}

bool frmAbout::GetKeyValue(RegKey KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                           QString& KeyVal) {
    Registry& registry = platform_.registry();
    RegKey hKey = 0;
    if (registry.openKey(KeyRoot, KeyName.toStdString(), KeyAccess, hKey) != Registry::Success) {
        KeyVal.clear();
        return false;
    }

    std::string tmpVal(ValueBufferSize, '\0');
    std::uint32_t KeyValSize = ValueBufferSize;
    std::uint32_t KeyValType = 0;
    if (registry.queryValue(hKey, SubKeyRef.toStdString(), KeyValType, tmpVal.data(), KeyValSize) !=
        Registry::Success) {
        KeyVal.clear();
        registry.closeKey(hKey);
        return false;
    }

    // Keep the bytes written, less the terminating zero that text values carry.
    KeyValSize = std::min(KeyValSize, ValueBufferSize);
    if (KeyValSize > 0 && tmpVal[KeyValSize - 1] == '\0')
        tmpVal.resize(KeyValSize - 1);
    else
        tmpVal.resize(KeyValSize);

    switch (KeyValType) {
    case Registry::RegSz:
        KeyVal = QString::fromStdString(registry.textToUtf8(tmpVal));
        break;
    case Registry::RegDword: {
        // The number, least significant byte first; a zero top byte may have been cut above.
        std::uint32_t value = 0;
        for (std::size_t i = std::min<std::size_t>(tmpVal.size(), 4); i-- > 0;)
            value = value << 8 | static_cast<unsigned char>(tmpVal[i]);
        KeyVal = QString::number(value);
        break;
    }
    default:
        break; // read, but not a kind this box understands: KeyVal as it came
    }
    registry.closeKey(hKey);
    return true;
}

} // namespace lanternix
