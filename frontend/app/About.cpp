#include "app/About.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace zrv::front {

TAboutBox::TAboutBox(const QString& version, QWidget* parent) : QDialog(parent) {
  setWindowTitle("About TARNEL");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);

  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
  auto* product = new QLabel("ZORVIN", this);
  QFont big = product->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  product->setFont(big);
  m_version = new QLabel("Version " + version, this);
  auto* description = new QLabel(
      "Dynamic analysis of shallow and deep machine foundations: the frequency-dependent stiffness and "
      "damping of footings and pile groups, and the response of the foundation to harmonic, transient "
      "and random loading.",
      this);
  description->setAlignment(Qt::AlignCenter);
  description->setWordWrap(true);

  auto* head = new QHBoxLayout;
  head->addWidget(icon);
  auto* names = new QVBoxLayout;
  names->addWidget(product);
  names->addWidget(m_version);
  head->addLayout(names, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(head);
  layout->addWidget(description);
  layout->addWidget(buttons);
  setMinimumWidth(360);
}

}  // namespace zrv::front
