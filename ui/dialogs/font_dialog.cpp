#include "ui/dialogs/font_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/view/view_font.h"

namespace tobrel {
namespace {

constexpr int kSmallestSize = 6;
constexpr int kLargestSize = 72;

}  // namespace

TFontDialog::TFontDialog(const QFont& current, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFontDialog"));
  setWindowTitle(QStringLiteral("フォントの選択"));
  setModal(true);

  families_ = new QListWidget(this);
  families_->setObjectName(QStringLiteral("Families"));
  QStringList families = JapaneseFixedFamilies();
  if (!families.contains(current.family())) {
    families << current.family();
    families.sort(Qt::CaseInsensitive);
  }
  families_->addItems(families);
  families_->setCurrentRow(static_cast<int>(families.indexOf(current.family())));

  size_ = new QSpinBox(this);
  size_->setObjectName(QStringLiteral("Size"));
  size_->setRange(kSmallestSize, kLargestSize);
  size_->setValue(current.pointSize() > 0 ? current.pointSize() : kDefaultViewFontSize);

  auto* family_label = new QLabel(QStringLiteral("フォント名(&F):"), this);
  family_label->setBuddy(families_);
  auto* size_label = new QLabel(QStringLiteral("サイズ(&S):"), this);
  size_label->setBuddy(size_);

  sample_ = new QLabel(QStringLiteral("AaBbYyZz 0123 あいう アイウ 漢字 ｱｲｳ"), this);
  sample_->setObjectName(QStringLiteral("Sample"));
  sample_->setAlignment(Qt::AlignCenter);
  sample_->setMinimumHeight(60);
  auto* sample_box = new QGroupBox(QStringLiteral("サンプル"), this);
  (new QVBoxLayout(sample_box))->addWidget(sample_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* grid = new QGridLayout(this);
  grid->addWidget(family_label, 0, 0);
  grid->addWidget(size_label, 0, 1);
  grid->addWidget(families_, 1, 0);
  grid->addWidget(size_, 1, 1, Qt::AlignTop);
  grid->addWidget(sample_box, 2, 0, 1, 2);
  grid->addWidget(buttons, 3, 0, 1, 2);
  grid->setColumnStretch(0, 1);

  connect(families_, &QListWidget::currentRowChanged, this, &TFontDialog::ShowSample);
  connect(size_, &QSpinBox::valueChanged, this, &TFontDialog::ShowSample);
  ShowSample();
}

QString TFontDialog::Family() const {
  const QListWidgetItem* item = families_->currentItem();
  return item ? item->text() : QString();
}

int TFontDialog::PointSize() const { return size_->value(); }

void TFontDialog::ShowSample() { sample_->setFont(ResolveViewFont(Family(), PointSize())); }

}  // namespace tobrel
