#include "shell/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "shell/icon.h"
#include "shell/strings.h"

namespace tessel {

namespace {

QLabel* PlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner) {
    setModal(true);
    setWindowTitle(Words(msg::ABOUT_TITLE));
    setWindowIcon(TesselIcon());

    auto* icon = new QLabel(this);
    icon->setPixmap(TesselIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* version = PlainLabel(Words(msg::ABOUT_VERSION, msg::SHOWN_VERSION), this);
    auto* tagline = PlainLabel(Words(msg::ABOUT_TAGLINE), this);
    auto* howTo = PlainLabel(Words(msg::ABOUT_HOW_TO), this);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setVerticalSpacing(10);
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(version, 0, 1);
    layout->addWidget(tagline, 1, 1);
    layout->addWidget(howTo, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    layout->addWidget(buttons_, 4, 0, 1, 2);
    layout->setColumnStretch(1, 1);
}

}  // namespace tessel
