#include "ui/dialogs/about_box.h"

#include <QApplication>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/widgets/blink_label.h"
#include "ui/widgets/dialog_placement.h"
#include "ui/widgets/multi_line_label.h"

namespace tobrel {
namespace {

const char kDescription[] =
    "NIFTY SERVE のフォーラム会議室ログ（Shift-JIS テキスト）を読み込み、"
    "発言者ごとの発言数と文字数、引用率、コメント数、会議室の統計、"
    "日付・月・時間帯・曜日別の分布、月別ランキングを集計して、"
    "等幅フォント向けのテキストで出力します。";

const char kLicence[] =
    "Copyright (c) 2026 Tobrel の開発者\n"
    "ライセンス: MIT License\n"
    "このソフトウェアは無償で、誰でも使用・複製・改変・結合・出版・頒布・"
    "再許諾・販売することができます。ただし、上記の著作権表示と本許諾表示を、"
    "ソフトウェアのすべての複製または重要な部分に記載してください。"
    "ソフトウェアは「現状のまま」で、明示か黙示かを問わず何の保証もなく提供されます。\n"
    "画面部品には Qt 6 を LGPL v3 のもとで使用しています。";

}  // namespace

QString ProgramVersion() { return QStringLiteral(TOBREL_VERSION); }

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TAboutBox"));
  setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
  setModal(true);

  ProductName = new TBlinkLabel(this);
  ProductName->setObjectName(QStringLiteral("ProductName"));
  ProductName->setText(QStringLiteral("Tobrel 発言集計 for NIFTY SERVE"));
  QFont title = ProductName->font();
  title.setPointSizeF(QFontInfo(title).pointSizeF() * 1.5);
  title.setBold(true);
  ProductName->setFont(title);

  Version = new QLabel(QStringLiteral("Version %1").arg(ProgramVersion()), this);
  Version->setObjectName(QStringLiteral("Version"));

  Comments = new TMultiLineLabel(this);
  Comments->setObjectName(QStringLiteral("Comments"));
  Comments->SetCaption(QString::fromUtf8(kDescription));

  Copyright = new TMultiLineLabel(this);
  Copyright->setObjectName(QStringLiteral("Copyright"));
  Copyright->SetCaption(QString::fromUtf8(kLicence));

  AboutQtButton = new QPushButton(QStringLiteral("Qt について"), this);
  AboutQtButton->setObjectName(QStringLiteral("AboutQtButton"));
  AboutQtButton->setAutoDefault(false);
  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AboutQtButton);
  buttons->addStretch(1);
  buttons->addWidget(OKButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ProductName);
  layout->addWidget(Version);
  layout->addSpacing(8);
  layout->addWidget(Comments);
  layout->addSpacing(8);
  layout->addWidget(Copyright, 1);
  layout->addLayout(buttons);
  const int width = 460;
  setFixedSize(width, layout->heightForWidth(width));

  connect(AboutQtButton, &QPushButton::clicked, this, [this] { QApplication::aboutQt(); });
  connect(OKButton, &QPushButton::clicked, this, &TAboutBox::accept);
}

void TAboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CenterOverParent(this);
  ProductName->StartBlinking(3);
}

}  // namespace tobrel
