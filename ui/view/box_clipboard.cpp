#include "ui/view/box_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/cp932.h"

namespace tobrel {

void PutOnClipboard(const std::string& cp932, bool box) {
  auto* mime = new QMimeData;
  QString text = QString::fromStdString(cp932::ToUtf8(cp932));
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  mime->setText(text);
  if (box) mime->setData(kBoxMimeType, QByteArray::fromStdString(cp932));
  QGuiApplication::clipboard()->setMimeData(mime);
}

std::optional<ClipboardText> ClipboardContent() {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (mime == nullptr || !mime->hasText()) return std::nullopt;
  if (mime->hasFormat(kBoxMimeType)) return ClipboardText{mime->data(kBoxMimeType).toStdString(), true};
  return ClipboardText{cp932::FromUtf8(mime->text().toStdString()), false};
}

}  // namespace tobrel
