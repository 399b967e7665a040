// Shared pieces of the widget tests: a named child of a dialog or window, and pictures of a
// widget or the screen for the run's screenshot folder.
#pragma once

#include <QDir>
#include <QProcess>
#include <QString>
#include <QTest>
#include <QWidget>

namespace apptest {

// The child of the given type and object name; a test whose widget lacks it stops at once.
template <typename T> T *Child(QWidget &parent, const QString &name) {
    T *child = parent.findChild<T *>(name);
    if (!child)
        qFatal("no child %s in %s", qPrintable(name), qPrintable(parent.windowTitle()));
    return child;
}
template <typename T> T *Child(QWidget &parent, const char *name) {
    return Child<T>(parent, QString::fromLatin1(name));
}

// Saves a picture of widget as NAME.png in the folder DRAVO_SHOTS names (nothing when unset).
inline void Shot(QWidget &widget, const QString &name) {
    const QString folder = qEnvironmentVariable("DRAVO_SHOTS");
    if (!folder.isEmpty())
        widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// Saves a picture of the whole screen as NAME.png in the folder DRAVO_SHOTS names, after settleMs
// for the window to settle (nothing when unset).
inline void ScreenShot(const QString &name, int settleMs = 400) {
    const QString folder = qEnvironmentVariable("DRAVO_SHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(settleMs);
    QProcess::execute(QStringLiteral("import"),
                      {QStringLiteral("-window"), QStringLiteral("root"),
                       QDir(folder).filePath(name + QStringLiteral(".png"))});
}

} // namespace apptest
