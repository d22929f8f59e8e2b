// What the file browser's tests share: a scripted prompter, a folder tree
// under a temporary HOME with the settings store and the trash inside it,
// and dialogs made the way the file commands make them.
#ifndef TEKVO_TESTS_DIALOGS_FRM_B_FIXTURE_H_
#define TEKVO_TESTS_DIALOGS_FRM_B_FIXTURE_H_

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/frm_b.h"
#include "files/prompter.h"

namespace tekvo {

class Script : public Prompter {
 public:
  std::deque<bool> answers;
  QStringList questions;
  std::vector<DefaultButton> defaults;
  QStringList messages;
  // Runs while a question is open, as a real question box takes the focus.
  std::function<void()> while_asking;

  bool Ask(const Text& q, DefaultButton d, const Text&) override;
  void Tell(const Text& m, const Text&) override;
  void Beep() override {}
};

QString FromText(const Text& t);
// The bytes a lossless path text stands for.
std::string BytesOf(const QString& lossless);
// Creates a one-byte file under a name given as bytes.
void TouchBytes(const std::string& path);
void Touch(const QString& path);

class FrmBFixture : public QObject {
 protected:
  // For initTestCase: HOME, the settings store and the data folder under a
  // temporary folder; "start" (the process's folder), "userdocs" (the default folder's documents)
  // and "docs" with a few files and a subfolder.
  void SetUpFolders();
  // For init: every test starts without a stored LastPath.
  void ClearLastPath();

  QString R(const QString& rel) const { return root_->path() + u'/' + rel; }
  std::unique_ptr<FrmB> Make(Script* script);
  std::unique_ptr<FrmB> OpenIn(Script* script, const QString& folder);
  std::unique_ptr<FrmB> SaveIn(Script* script, const QString& folder, const QString& name,
                               int pat = 0);

  std::unique_ptr<QTemporaryDir> root_;
  QString start_;  // the process's folder when a dialog loads
  QString def_;    // the default folder, in userdocs
  QString docs_;   // a folder with files
};

}  // namespace tekvo

#endif  // TEKVO_TESTS_DIALOGS_FRM_B_FIXTURE_H_
