#include "editor/frmButton.h"

#include "io/Utf8Path.h"
#include "model/Fields.h"
#include "model/Module1.h"
#include "page/PictureSize.h"
#include "page/SitePath.h"
#include "platform/Platform.h"
#include "platform/TreeView.h"
#include "platform/Twips.h"
#include "project/ProjectDocument.h"

#include <QAction>
#include <QBuffer>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <filesystem>
#include <type_traits>

namespace lanternix {

namespace {

template <class W, class... Args>
W* make(QWidget* parent, const char* name, int l, int t, int w, int h, Args&&... args) {
    W* c = newControl<W>(parent, name, l, t, w, h, std::forward<Args>(args)...);
    // A caption a little wider than its box grows to the right rather than being clipped;
    // the boxes were laid out for a narrower face.
    if constexpr (std::is_same_v<W, QLabel>) {
        if (c->sizeHint().width() > c->width())
            c->resize(c->sizeHint().width(), c->height());
    }
    return c;
}

// A field's caption as the model's table gives it, so messages name fields as they stand here.
QString caption(std::size_t field) {
    const std::string_view c = MenuFields[field].caption;
    return QString::fromUtf8(c.data(), static_cast<qsizetype>(c.size()));
}

// The kinds of picture browsers show, by the ends of their names.
const QStringList PictureTypes{"png", "gif", "jpg", "jpeg", "bmp", "webp", "svg"};

// The picture file a drag carries: one local file of a picture kind, or nothing.
QString draggedPicture(const QMimeData* data) {
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString path = urls.front().toLocalFile();
    return PictureTypes.contains(QFileInfo(path).suffix().toLower()) ? path : QString();
}

} // namespace

frmButton::frmButton(Module1& module, TreeView& tree, Platform& platform,
                     const ProjectDocument& document)
    : module_(module), tree_(tree), platform_(platform), document_(document),
      pictureDialog_(platform, this) {
    setObjectName(QStringLiteral("frmButton"));
    setWindowTitle(QStringLiteral(" "));
    // Fixed single border: not resizable, no maximise button.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(toPixels(5925), toPixels(4635));

    // Made in tab order: the five boxes top down, then Save and Remove.
    Frame1 = make<QGroupBox>(this, "Frame1", 165, 165, 5460, 1560, QStringLiteral("Main"));
    Label1 = make<QLabel>(Frame1, "Label1", 120, 255, 1785, 210, caption(1));
    Image1 = make<QLineEdit>(Frame1, "Image1", 120, 480, 5205, 285);
    Label2 = make<QLabel>(Frame1, "Label2", 120, 825, 1035, 195, caption(2));
    Label6 = make<QLabel>(Frame1, "Label6", 1800, 840, 3615, 255,
                          QStringLiteral("Leave blank, if you want this image to be normal"));
    Image2 = make<QLineEdit>(Frame1, "Image2", 120, 1065, 5205, 285);

    Frame2 = make<QGroupBox>(this, "Frame2", 165, 1845, 5460, 2115, QStringLiteral("General"));
    // An etched frame with its caption on the top line, so the captions inside clear it.
    const QString frameStyle = QStringLiteral(
        "QGroupBox { border: 2px groove palette(mid); margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }");
    Frame1->setStyleSheet(frameStyle);
    Frame2->setStyleSheet(frameStyle);
    Label3 = make<QLabel>(Frame2, "Label3", 120, 210, 1200, 195, caption(3));
    Frameset1 = make<QLineEdit>(Frame2, "Frameset1", 120, 465, 5205, 285);
    Label4 = make<QLabel>(Frame2, "Label4", 120, 795, 1785, 210, caption(4));
    Comments1 = make<QLineEdit>(Frame2, "Comments1", 120, 1035, 5205, 285);
    Label5 = make<QLabel>(Frame2, "Label5", 135, 1395, 855, 255, caption(5));
    Link1 = make<QLineEdit>(Frame2, "Link1", 120, 1635, 5205, 285);

    Command1 = make<QPushButton>(this, "Command1", 240, 4080, 1545, 405, QStringLiteral("Save"));
    Command2 = make<QPushButton>(this, "Command2", 1920, 4080, 1455, 375, QStringLiteral("Remove"));
    Label8 = make<QLabel>(this, "Label8", 3480, 4080, 615, 255, caption(0));
    Key1 = make<QLabel>(this, "Key1", 4080, 4080, 735, 255);
    Label7 = make<QLabel>(this, "Label7", 4680, 4440, 1110, 195, QStringLiteral("Max: 99 images"));

    // The Save button is this window's Enter button.
    Command1->setDefault(true);
    for (const auto& box : boxes())
        connect(box.first, &QLineEdit::returnPressed, Command1, &QPushButton::click);

    // Each picture box's folder button chooses a picture; a picture file may be dropped on it,
    // and hovering shows the picture.
    for (QLineEdit* box : {Image1, Image2}) {
        QAction* choose = box->addAction(QIcon(QPixmap(QStringLiteral(":/pictures/open.xpm"))),
                                         QLineEdit::TrailingPosition);
        choose->setText(QStringLiteral("Choose picture\u2026"));
        choose->setToolTip(choose->text());
        connect(choose, &QAction::triggered, this, [this, box] { choosePicture(*box); });
        box->installEventFilter(this);
    }

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void frmButton::Command1_Click() {
    save();
}

bool frmButton::save() {
    const QString key = Key1->text();
    if (key.isEmpty())
        return false;
    if (Image1->text().isEmpty()) {
        platform_.messageBox(this, QStringLiteral("Please enter a default image to show"),
                             vbCritical);
        return false;
    }
    const auto slot = module_.table.findByName(key.toStdString());
    if (!slot)
        return false;
    module_.CurrentIndex = *slot;
    MenuImage& r = module_.table.slot(*slot);
    for (const auto& [box, field] : boxes())
        r.*field = box->text().toStdString();
    return true;
}

std::array<std::pair<QLineEdit*, Field MenuImage::*>, 5> frmButton::boxes() const {
    return {{{Image1, &MenuImage::DefaultImage},
             {Image2, &MenuImage::OverImage},
             {Frameset1, &MenuImage::Target},
             {Comments1, &MenuImage::StatusText},
             {Link1, &MenuImage::HyperLink}}};
}

void frmButton::load(const MenuImage& image) {
    for (const auto& [box, field] : boxes())
        box->setText(QString::fromStdString(text(image.*field)));
    Key1->setText(QString::fromStdString(text(image.Name)));
}

void frmButton::Command2_Click() {
    const QString key = Key1->text();
    if (key.isEmpty())
        return;
    TreeNodes& nodes = tree_.Nodes();
    for (int i = 1; i <= nodes.Count(); ++i) {
        if (nodes(i).Key() == key) {
            nodes.Remove(i);
            break;
        }
    }
    tree_.highlight(nullptr); // no other image looks selected now
    if (const auto slot = module_.table.findByName(key.toStdString()))
        module_.table.clearRecord(*slot);
    clear();
}

void frmButton::clear() {
    for (const auto& box : boxes())
        box.first->clear();
    Key1->clear();
}

bool frmButton::isModified() const {
    const auto slot = module_.table.findByName(Key1->text().toStdString());
    if (Key1->text().isEmpty() || !slot)
        return false;
    const MenuImage& r = module_.table.slot(*slot);
    return std::ranges::any_of(boxes(), [&r](const auto& box) {
        return box.first->text().toStdString() != text(r.*box.second);
    });
}

std::string frmButton::lookupFolder() const {
    const std::string site = document_.siteFolder();
    std::error_code ec;
    return site.empty() ? utf8FromPath(std::filesystem::current_path(ec)) : site;
}

void frmButton::choosePicture(QLineEdit& box) {
    pictureDialog_.DialogTitle = QStringLiteral("Choose picture");
    pictureDialog_.Filter =
        QStringLiteral("Pictures | *.") + PictureTypes.join(QStringLiteral(";*."));
    pictureDialog_.Flags = cdlOFNFileMustExist;
    pictureDialog_.FileName.clear();
    // In the folder of the box's picture, else in the site's folder.
    const auto current = fileInSite(box.text().toStdString(), lookupFolder());
    const QString folder =
        current ? QFileInfo(QString::fromStdString(*current)).absolutePath() : QString();
    pictureDialog_.InitDir = !box.text().isEmpty() && QFileInfo(folder).isDir()
                                 ? folder
                                 : QString::fromStdString(document_.siteFolder());
    if (pictureDialog_.ShowOpen())
        placePicture(box, pictureDialog_.FileName);
}

void frmButton::placePicture(QLineEdit& box, const QString& file) {
    const Result<std::string> address = addressInSite(file.toStdString(), document_.siteFolder());
    if (!address) {
        platform_.messageBox(this, QString::fromStdString(address.failure().message),
                             vbExclamation);
        return;
    }
    box.setText(QString::fromStdString(address.value()));
}

QString frmButton::pictureTip(const QString& address) const {
    if (address.isEmpty())
        return {};
    const auto file = fileInSite(address.toStdString(), lookupFolder());
    const QString path = file ? QString::fromStdString(*file) : address;
    if (!file || !QFileInfo(path).isFile()) // on one line: a path wraps at every slash
        return QStringLiteral("<p style='white-space:pre'>Not found: %1</p>")
            .arg(path.toHtmlEscaped());
    QImageReader reader(path);
    std::optional<PixelSize> size = pictureFileSize(*file);
    if (!size && reader.size().isValid())
        size = PixelSize{reader.size().width(), reader.size().height()};
    const QString told =
        size ? QStringLiteral("%1 \u00D7 %2 pixels").arg(size->width).arg(size->height)
             : QStringLiteral("A picture of unknown size");
    QImage picture = reader.read();
    if (picture.isNull())
        return Qt::convertFromPlainText(told);
    if (picture.width() > 160 || picture.height() > 160)
        picture = picture.scaled(160, 160, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // Inline, as the tooltip's text cannot refer to a picture held in memory.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return QStringLiteral("<img src=\"data:image/png;base64,%1\"><br>%2")
        .arg(QString::fromLatin1(png.toBase64()), told);
}

bool frmButton::eventFilter(QObject* watched, QEvent* e) {
    auto* box = static_cast<QLineEdit*>(watched);
    switch (e->type()) {
    case QEvent::ToolTip:
        box->setToolTip(pictureTip(box->text()));
        break; // the box shows it
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(e);
        const QString picture = draggedPicture(drop->mimeData());
        if (picture.isEmpty()) {
            if (!drop->mimeData()->hasUrls())
                break;      // text, which the box takes as typing
            drop->ignore(); // other files, or more than one
            return true;
        }
        drop->acceptProposedAction();
        // Once the drop is over, so that a message does not hold up the program the file came
        // from.
        if (e->type() == QEvent::Drop)
            QTimer::singleShot(0, box, [this, box, picture] { placePicture(*box, picture); });
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, e);
}

void frmButton::closeEvent(QCloseEvent*) {
    platform_.endProgram();
}

} // namespace lanternix
