#include "support/Golden.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyle>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Window tests never need a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Windows drawn the same on every machine, for their pictures: one style, and the faces
    // the program asks for taken from files of the tests' own.
    QApplication::setStyle(QStringLiteral("Fusion"));
    for (const char* face : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"})
        QFontDatabase::addApplicationFont(
            QString::fromStdString(lanternix::test::dataFile(std::string("fonts/") + face)));
    for (const char* family : {"Arial", "Arial Black"})
        QFont::insertSubstitution(QString::fromLatin1(family), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("Arial")); // as the program sets it
    font.setPointSize(8);
    QApplication::setFont(font);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
