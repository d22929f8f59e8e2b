#include "tests/dialogs/frm_b_fixture.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>
#include <cstdio>

#include "files/path_text.h"

namespace tekvo {

bool Script::Ask(const Text& q, DefaultButton d, const Text&) {
  questions << QString::fromUtf16(q.data(), static_cast<qsizetype>(q.size()));
  defaults.push_back(d);
  if (while_asking) while_asking();
  if (answers.empty()) return false;
  const bool a = answers.front();
  answers.pop_front();
  return a;
}

void Script::Tell(const Text& m, const Text&) {
  messages << QString::fromUtf16(m.data(), static_cast<qsizetype>(m.size()));
}

QString FromText(const Text& t) {
  return QString::fromUtf16(t.data(), static_cast<qsizetype>(t.size()));
}

std::string BytesOf(const QString& lossless) {
  return TextPath(Text(reinterpret_cast<const char16_t*>(lossless.utf16()),
                       static_cast<std::size_t>(lossless.size())));
}

void TouchBytes(const std::string& path) {
  QFile f;
  QVERIFY(f.open(std::fopen(path.c_str(), "wb"), QIODevice::WriteOnly, QFile::AutoCloseHandle));
  f.write("x");
}

void Touch(const QString& path) {
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write("x");
}

void FrmBFixture::SetUpFolders() {
  root_ = std::make_unique<QTemporaryDir>();
  QVERIFY(root_->isValid());
  qputenv("HOME", root_->path().toUtf8());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, R("config"));
  QStandardPaths::setTestModeEnabled(true);
  // The trash lives under the data folder, which must exist to be used.
  QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
  QDir().mkpath(R("start"));
  QDir().mkpath(R("userdocs"));
  QDir().mkpath(R("docs/sub"));
  start_ = R("start/");
  def_ = R("userdocs/TKV_TXT/");
  docs_ = R("docs/");
  for (const char* name : {"a.txt", "B.TXT", "c.doc", "abc.txt", "abc_2.txt", "zz.doc"}) {
    Touch(docs_ + QString::fromUtf8(name));
  }
  QDir::setCurrent(start_);
}

void FrmBFixture::ClearLastPath() {
  QSettings s(QStringLiteral("TKV"), QStringLiteral("TKV"));
  s.remove(QStringLiteral("Paths/LastPath"));
  s.sync();
}

std::unique_ptr<FrmB> FrmBFixture::Make(Script* script) {
  auto dialog = std::make_unique<FrmB>(*script);
  dialog->userFolders = {R("userdocs"), R("userdata")};
  dialog->Load();
  return dialog;
}

std::unique_ptr<FrmB> FrmBFixture::OpenIn(Script* script, const QString& folder) {
  auto dialog = Make(script);
  dialog->bOpen = true;
  dialog->Activate();
  dialog->SetListFolder(folder);
  return dialog;
}

std::unique_ptr<FrmB> FrmBFixture::SaveIn(Script* script, const QString& folder,
                                          const QString& name, int pat) {
  auto dialog = Make(script);
  dialog->bOpen = false;
  dialog->sWay = folder + name;
  dialog->nPat = ToFileEncoding(pat);
  dialog->Activate();
  return dialog;
}

}  // namespace tekvo
