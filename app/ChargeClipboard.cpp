#include "app/ChargeClipboard.h"

#include "model/ChargeTransfer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

class TSystemChargeClipboard : public TChargeClipboard {
public:
  void Put(const QByteArray &charges, const QString &text) override {
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kChargesMimeType), charges);
    data->setText(text);
    // The clipboard takes the data over.
    QGuiApplication::clipboard()->setMimeData(data.release());
  }
  QByteArray Charges() const override {
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr ? data->data(QString::fromLatin1(kChargesMimeType)) : QByteArray();
  }
};

} // namespace

std::unique_ptr<TChargeClipboard> SystemChargeClipboard() {
  return std::make_unique<TSystemChargeClipboard>();
}
