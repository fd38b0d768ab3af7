#pragma once

#include "model/MenuImage.h"
#include "platform/CommonDialog.h"

#include <QWidget>

#include <array>
#include <utility>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lanternix {

struct Module1;
class Platform;
class ProjectDocument;
class TreeView;

// The image editor: edits one record of the table, named by Key1. It keeps no data of its
// own; the main window fills it, Save copies it back. The two picture boxes take a picture
// file chosen with their folder button or dropped on them, and show it when hovered.
class frmButton : public QWidget {
    Q_OBJECT
public:
    // The document tells where the site's folder is.
    frmButton(Module1& module, TreeView& tree, Platform& platform, const ProjectDocument& document);

    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QLabel* Label1;
    QLineEdit* Image1;
    QLabel* Label2;
    QLabel* Label6;
    QLineEdit* Image2;
    QLabel* Label3;
    QLineEdit* Frameset1;
    QLabel* Label4;
    QLineEdit* Comments1;
    QLabel* Label5;
    QLineEdit* Link1;
    QPushButton* Command1; // Save
    QPushButton* Command2; // Remove
    QLabel* Label8;
    QLabel* Key1;
    QLabel* Label7;

    void Command1_Click(); // Save
    void Command2_Click(); // Remove
    // The five boxes, each with the field it holds.
    std::array<std::pair<QLineEdit*, Field MenuImage::*>, 5> boxes() const;
    // Fills the boxes and Key1 from a record, as a click on its node does.
    void load(const MenuImage& image);
    // Save's steps; true when the boxes were stored.
    bool save();
    // Empties the five boxes and Key1: nothing selected.
    void clear();
    // True while an image is being edited and a box differs from its stored record.
    bool isModified() const;

    // Choose picture...: a picture file for Image1 or Image2, from a dialog.
    void choosePicture(QLineEdit& box);
    // Writes the file's address from the site's folder into the box; a file outside that
    // folder, or one given while no folder is known yet, is explained and the box stays as it is.
    void placePicture(QLineEdit& box, const QString& file);
    // What hovering a picture box shows: the picture it names (160 pixels at most) and its
    // size, or where it was looked for in vain.
    QString pictureTip(const QString& address) const;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The site's folder, else the current one, as the preview finds pictures.
    std::string lookupFolder() const;

    Module1& module_;
    TreeView& tree_;
    Platform& platform_;
    const ProjectDocument& document_;
    CommonDialog pictureDialog_;
};

} // namespace lanternix
