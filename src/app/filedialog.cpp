#include "app/filedialog.h"

#include <QFileDialog>
#include <deque>
#include <optional>

namespace dravo {

namespace {

std::deque<QString> &Queue() {
    static std::deque<QString> queue;
    return queue;
}

std::optional<QString> Queued() {
    if (Queue().empty())
        return std::nullopt;
    QString name = Queue().front();
    Queue().pop_front();
    return name;
}

} // namespace

QString FileDialog::GetOpenFileName(QWidget *parent, const QString &caption, const QString &folder,
                                    const QString &filter) {
    if (auto name = Queued())
        return *name;
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString FileDialog::GetSaveFileName(QWidget *parent, const QString &caption,
                                    const QString &initialPath, const QString &filter,
                                    const QString &defaultSuffix) {
    if (auto name = Queued())
        return *name;
    QFileDialog dialog(parent, caption, initialPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString FileDialog::GetFolder(QWidget *parent, const QString &caption, const QString &folder) {
    if (auto name = Queued())
        return *name;
    return QFileDialog::getExistingDirectory(parent, caption, folder);
}

void FileDialog::setNextFileName(const QString &path) {
    Queue().push_back(path);
}

bool FileDialog::hasNextFileName() {
    return !Queue().empty();
}

} // namespace dravo
