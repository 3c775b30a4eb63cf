#include "forms/Layout.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "forms/FormPictures.h"
#include "project/TProgramData.h"
#include "ui/UiHooks.h"

namespace zrv::front {

namespace {

QString& pictureFolderOverride() {
  static QString folder;
  return folder;
}

struct TFoundationKind {
  const char* type;
  int code;
  const char* picture;
};

constexpr TFoundationKind kKinds[] = {
    {"HALF-SPACE", 1, "halfspace.bmp"},
    {"PILE", 2, "pile.bmp"},
    {"STRATUM", 3, "stratum.bmp"},
    {"MULTILAYER", 4, "multilayer.bmp"},
};

}  // namespace

int foundationCodeOf(const std::string& type) {
  for (const auto& k : kKinds)
    if (type == k.type) return k.code;
  return 0;
}

QString pictureFileOf(const std::string& type) {
  for (const auto& k : kKinds)
    if (type == k.type) return QString::fromLatin1(k.picture);
  return {};
}

QString TfrmLayout::PictureFolder() {
  if (!pictureFolderOverride().isEmpty()) return pictureFolderOverride();
  return QCoreApplication::applicationDirPath();
}

void TfrmLayout::SetPictureFolder(const QString& folder) { pictureFolderOverride() = folder; }

TfrmLayout::TfrmLayout(IMainForm& main, QWidget* parent) : TDataForm(main, parent) {
  setObjectName(QStringLiteral("frmLayout"));
  setWindowTitle(QStringLiteral("Foundation Options"));
  auto* column = new QVBoxLayout(this);
  m_image = new QLabel(this);
  m_image->setObjectName(QStringLiteral("Image1"));
  m_image->setPixmap(QPixmap::fromImage(drawFormPicture(TFormPicture::Layout)));
  column->addWidget(m_image, 0, Qt::AlignHCenter);
  auto* caption = new QLabel(QStringLiteral("Footing Type"), this);
  caption->setObjectName(QStringLiteral("Label1"));
  QFont bold = caption->font();
  bold.setBold(true);
  caption->setFont(bold);
  column->addWidget(caption);
  m_combo = new QComboBox(this);
  m_combo->setObjectName(QStringLiteral("ComboBox1"));
  // The text can also be typed, as in the project file.
  m_combo->setEditable(true);
  m_combo->setInsertPolicy(QComboBox::NoInsert);
  for (const auto& k : kKinds) m_combo->addItem(QString::fromLatin1(k.type));
  m_combo->setEditText(QStringLiteral("HALF-SPACE"));
  column->addWidget(m_combo);
  column->addStretch(1);
  connect(m_combo, &QComboBox::currentTextChanged, this, [this] {
    if (!m_loading) ComboBox1Change();
  });
}

void TfrmLayout::FormActivate() {
  TProgramData& project = m_main.Project();
  m_loading = true;
  m_combo->setEditText(QString::fromStdString(project.FoundationType));
  m_loading = false;
  m_typeAtActivation = project.FoundationType;
  ShowPicture();
  UpdateFootingType();
}

void TfrmLayout::ComboBox1Change() {
  m_main.Project().FoundationType = m_combo->currentText().toStdString();
  ShowPicture();
  UpdateFootingType();
}

bool TfrmLayout::ShowPicture() {
  const QString file = pictureFileOf(m_main.Project().FoundationType);
  if (file.isEmpty()) return true;
  const QString path = QDir(PictureFolder()).filePath(file);
  QImage image;
  if (!image.load(path)) {
    comp::ShowError(QStringLiteral("Cannot open file \"%1\".").arg(QDir::toNativeSeparators(path)));
    return false;
  }
  m_image->setPixmap(QPixmap::fromImage(image));
  return true;
}

void TfrmLayout::UpdateFootingType() {
  TProgramData& project = m_main.Project();
  if (const int code = foundationCodeOf(project.FoundationType); code != 0) project.FoundationCode = code;
}

void TfrmLayout::StoreEntries() {
  TProgramData& project = m_main.Project();
  project.FoundationType = m_combo->currentText().toStdString();
  if (project.FoundationType != m_typeAtActivation) MarkModified();
  UpdateFootingType();
  m_main.UpdatePileMenus();
}

}  // namespace zrv::front
