// The About dialog: the icon, the version and two short notes, closed with OK.
#pragma once

#include <QDialog>

class QDialogButtonBox;

namespace tessel {

class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* owner);

    QDialogButtonBox& buttons() { return *buttons_; }

  private:
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tessel
