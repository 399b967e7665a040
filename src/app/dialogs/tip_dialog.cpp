#include "app/dialogs/tip_dialog.h"

#include "app/dialogs/dialog_seam.h"
#include "app/roots.h"
#include "core/text.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace dravo {

namespace {
const QString kStartUp = QStringLiteral("Tip/StartUp");
const QString kFilePos = QStringLiteral("Tip/FilePos");
const QString kTimeStamp = QStringLiteral("Tip/TimeStamp");
constexpr int kPictureSize = 48;

QString Shown(const std::string &cp1251) {
    return QString::fromStdString(ToUtf8(cp1251));
}
} // namespace

TipSettings LoadTipSettings() {
    QSettings s;
    TipSettings t;
    t.startUp = s.value(kStartUp, 0).toInt();
    t.filePos = s.value(kFilePos, 0).toLongLong();
    t.timeStamp = s.value(kTimeStamp).toString().toStdString();
    return t;
}

void SaveTipSettings(const TipSettings &t) {
    QSettings s;
    s.setValue(kStartUp, t.startUp);
    s.setValue(kFilePos, t.filePos);
    s.setValue(kTimeStamp, QString::fromStdString(t.timeStamp));
}

TipDialog::TipDialog(const QString &tipsPath, QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("   Совет дня"));
    m_settings = LoadTipSettings();
    const std::string stamp = m_settings.timeStamp;
    const std::string first = m_reader.Open(QFile::encodeName(tipsPath).toStdString(), m_settings);
    if (m_settings.timeStamp != stamp)
        SaveTipSettings(m_settings);

    // The white area: the program's picture, the heading beside it, the tip below.
    auto *area = new QFrame(this);
    area->setObjectName(QStringLiteral("heading"));
    area->setFrameShape(QFrame::StyledPanel);
    area->setAutoFillBackground(true);
    QPalette white = area->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    area->setPalette(white);
    auto *picture = new QLabel(area);
    picture->setPixmap(QIcon(QStringLiteral(":/icons/dravo.svg")).pixmap(kPictureSize));
    picture->setFixedSize(kPictureSize, kPictureSize);
    auto *heading = new QLabel(QStringLiteral("Знаете ли Вы, что"), area);
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    heading->setFont(big);
    heading->setFixedHeight(kPictureSize);
    heading->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_tip = new QLabel(area);
    m_tip->setObjectName(QStringLiteral("tip"));
    m_tip->setWordWrap(true);
    m_tip->setTextFormat(Qt::PlainText); // a tip is data, never markup
    m_tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_tip->setMinimumSize(360, 110);
    m_tip->setText(Shown(first));
    auto *top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(heading, 1, Qt::AlignTop);
    auto *inside = new QVBoxLayout(area);
    inside->addLayout(top);
    inside->addWidget(m_tip, 1);

    m_startUp = new QCheckBox(QStringLiteral("Показывать при запуске"), this);
    m_startUp->setObjectName(QStringLiteral("startUp"));
    m_startUp->setChecked(m_settings.startUp == 0);
    auto *next = new QPushButton(QStringLiteral("Следующий"), this);
    next->setObjectName(QStringLiteral("next"));
    next->setAutoDefault(false);
    auto *close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setDefault(true);
    connect(next, &QPushButton::clicked, this, &TipDialog::ShowNext);
    connect(close, &QPushButton::clicked, this, &TipDialog::Close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_startUp);
    buttons->addStretch(1);
    buttons->addWidget(next);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(area, 1);
    layout->addLayout(buttons);
}

TipDialog::~TipDialog() = default;

QString TipDialog::TipText() const {
    return m_tip->text();
}

void TipDialog::ShowNext() {
    m_tip->setText(Shown(m_reader.Next()));
}

void TipDialog::Close() {
    m_settings.startUp = m_startUp->isChecked() ? 0 : 1;
    QSettings().setValue(kStartUp, m_settings.startUp);
    accept();
}

void TipDialog::done(int result) {
    if (m_reader.IsOpen()) {
        m_reader.Close(m_settings);
        QSettings s;
        s.setValue(kFilePos, m_settings.filePos);
        s.setValue(kTimeStamp, QString::fromStdString(m_settings.timeStamp));
    }
    QDialog::done(result);
}

void ShowTipOfTheDay(QWidget *parent) {
    TipDialog dialog(Roots::DataFile(QStringLiteral("tips.txt")), parent);
    DialogSeam::Exec(dialog);
}

bool TipWantedAtStartUp() {
    return LoadTipSettings().startUp == 0;
}

} // namespace dravo
