#pragma once

#include "about/Random.h"
#include "about/Reveal.h"
#include "platform/Registry.h"

#include <QDialog>

#include <array>
#include <memory>

class QIcon;
class QLabel;
class QPushButton;
class QTimer;

namespace lanternix {

class LinkLabel;
class Platform;
class PictureBox;
class PictureBoxCanvas;

// The About box: title, version, the freeware note, the System Info launcher, and the logo
// that a click on the small picture reveals. Constructing it runs the load steps; exec()
// shows it modally.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr int VersionMajor = 2;
    static constexpr int VersionMinor = 0;
    static constexpr int VersionRevision = 0;

    frmAbout(const QIcon& icon, Platform& platform, QWidget* parent = nullptr);
    ~frmAbout() override;

    PictureBox* picIcon;
    LinkLabel* Image1; // inside picIcon
    PictureBox* Picture1;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    std::array<QWidget*, 2> Line1; // the etched separator: grey, then white
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
    QLabel* Label1;
    QLabel* Label2;
    QTimer* Timer1;

    // Finds and starts the system information program, or says it is unavailable.
    void StartSysInfo();
    // Reads one registry value into KeyVal; false (and KeyVal empty) when the key or value
    // cannot be read.
    bool GetKeyValue(RegKey KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                     QString& KeyVal);

    // Event handlers, named after their controls.
    void Form_Activate();
    void Form_Deactivate();
    void Image1_Click();
    void picIcon_Click();
    void Timer1_Timer();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    Reveal& reveal() { return reveal_; }
    Random& random() { return random_; }

public slots:
    // Esc and the window's close button act as OK, the cancel button.
    void reject() override;

protected:
    bool event(QEvent* e) override;

private:
    void buildControls();
    void Form_Load(const QIcon& icon);

    Platform& platform_;
    Random random_;
    Reveal reveal_;
    std::unique_ptr<PictureBoxCanvas> canvas_;
    // Set while the focus is away at another program or a message box; those switches are
    // not the box's own activations.
    bool awayQuietly_ = false;
};

} // namespace lanternix
