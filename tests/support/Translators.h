#pragma once
// Translators for tests, installed for the life of an object and removed again with it: the
// program's English files, and one that marks every text it is asked for (a text that comes
// out without the mark was not passed through the translation). Needs no widget module.

#include <QCoreApplication>
#include <QString>
#include <QTranslator>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

class TMarkingTranslator : public QTranslator {
public:
  static QString Mark() { return QStringLiteral("[en]"); }
  bool isEmpty() const override { return false; }
  QString translate(const char *, const char *source, const char *, int) const override {
    return Mark() + QString::fromUtf8(source);
  }
};

class TInstalledTranslators {
public:
  // The English files of the libraries named ("base", "model", ...) from the resources.
  explicit TInstalledTranslators(std::initializer_list<const char *> libraries) {
    for (const char *library : libraries) {
      auto translator = std::make_unique<QTranslator>();
      const QString file = QStringLiteral(":/i18n/%1_en.qm").arg(QLatin1String(library));
      if (!translator->load(file)) {
        ADD_FAILURE() << "no translation file " << file.toStdString();
        continue;
      }
      Install(std::move(translator));
    }
  }
  // One translator of the test's own (a TMarkingTranslator, say).
  explicit TInstalledTranslators(std::unique_ptr<QTranslator> translator) {
    Install(std::move(translator));
  }
  ~TInstalledTranslators() {
    for (const auto &translator : translators_)
      QCoreApplication::removeTranslator(translator.get());
  }
  TInstalledTranslators(const TInstalledTranslators &) = delete;
  TInstalledTranslators &operator=(const TInstalledTranslators &) = delete;

private:
  void Install(std::unique_ptr<QTranslator> translator) {
    QCoreApplication::installTranslator(translator.get());
    translators_.push_back(std::move(translator));
  }
  std::vector<std::unique_ptr<QTranslator>> translators_;
};
