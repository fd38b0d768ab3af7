#pragma once

#include "model/MenuImage.h"

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
class TreeView;

// The image editor: edits one record of the table, named by Key1. It keeps no data of its
// own; the main window fills it, Save copies it back.
class frmButton : public QWidget {
    Q_OBJECT
public:
    frmButton(Module1& module, TreeView& tree, Platform& platform);

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

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    Module1& module_;
    TreeView& tree_;
    Platform& platform_;
};

} // namespace lanternix
