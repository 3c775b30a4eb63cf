#include "forms/TDataForm.h"

#include <QCloseEvent>

#include "dataedit/TDataEdit.h"

namespace zrv::front {

TDataForm::TDataForm(IMainForm& main, QWidget* parent) : QWidget(parent), m_main(main) {
  setAttribute(Qt::WA_DeleteOnClose);
}

bool TDataForm::FormDeactivate() {
  if (InvalidFocusedEdit() != nullptr) return false;
  StoreEntries();
  return true;
}

void TDataForm::MarkModified() { m_main.SetModified(true); }

comp::TDataEdit* TDataForm::InvalidFocusedEdit() {
  auto* edit = qobject_cast<comp::TDataEdit*>(focusWidget());
  if (edit == nullptr || !isAncestorOf(edit)) return nullptr;
  return edit->IsValid() ? nullptr : edit;
}

void TDataForm::Discard() {
  m_discarding = true;
  close();
}

void TDataForm::closeEvent(QCloseEvent* event) {
  if (!m_discarding && !FormDeactivate()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace zrv::front
