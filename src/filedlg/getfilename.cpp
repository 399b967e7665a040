#include "filedlg/dravo20.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include <cstring>

namespace {

struct Kind {
    const char *caption;
    const char *filter;
};

// The caption of kind 0 has two spaces before its last word.
constexpr Kind kTemplates{"Выбор файла для создания копии  шаблона", "Шаблоны документов (*.adf)"};
constexpr Kind kTexts{"Выбор файла для преобразования в шаблон", "Текстовые документы (*.txt)"};

void Put(char *buffer, const QByteArray &text) {
    std::memcpy(buffer, text.constData(), static_cast<std::size_t>(text.size()));
    buffer[text.size()] = '\0';
}

} // namespace

extern "C" __attribute__((visibility("default"))) void GetFilename(char *title, char *path,
                                                                   const char *folder, int kind) {
    title[0] = '\0';
    path[0] = '\0';
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return; // a dialog needs the program's window system
    const Kind &k = kind == 0 ? kTemplates : kTexts;
    QFileDialog dialog(nullptr, QString::fromUtf8(k.caption),
                       folder ? QFile::decodeName(folder) : QString(), QString::fromUtf8(k.filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // No default suffix: a name without a dot must stay choosable.
    dialog.setObjectName(QStringLiteral("dravo20"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().constFirst();
    const QByteArray full = QFile::encodeName(QDir::toNativeSeparators(chosen));
    if (static_cast<std::size_t>(full.size()) >= dravo::filedlg::kGetFilenameBuffer) {
        QMessageBox::warning(
            nullptr, QStringLiteral("ДРАВО Договор"),
            QStringLiteral("Путь к выбранному файлу слишком длинный (%1 байт, допускается не "
                           "более %2):\n\n%3\n\nПереместите файл в папку с более коротким путем.")
                .arg(full.size())
                .arg(dravo::filedlg::kGetFilenameBuffer - 1)
                .arg(QDir::toNativeSeparators(chosen)));
        return;
    }
    const std::string_view fullView(full.constData(), static_cast<std::size_t>(full.size()));
    const std::string_view name = dravo::filedlg::FileTitle(fullView);
    Put(title, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    Put(path, full);
}
