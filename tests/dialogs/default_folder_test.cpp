#include "dialogs/default_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tekvo {
namespace {

enum class Owner { kUs, kSomeoneElse };

struct FolderCase {
  const char* name;
  bool documents_exist;
  Owner home_owner;
  const char* expected;  // below the home folder; nullptr: no folder
};

// The folder goes in the user's space and is made only there.
TEST(EnsureDefaultTextFolder, InTheUsersOwnSpace) {
  const FolderCase cases[] = {
      {"documents", true, Owner::kUs, "/Documents/TKV_TXT/"},
      {"no-documents-folder", false, Owner::kUs, "/.local/share/tekvo/TKV_TXT/"},
      {"home-of-another-user", false, Owner::kSomeoneElse, nullptr},
      {"documents-of-another-user", true, Owner::kSomeoneElse, nullptr},
  };
  for (const FolderCase& c : cases) {
    if (c.home_owner == Owner::kSomeoneElse && ::geteuid() != 0) continue;  // needs chown
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString home = dir.path() + QStringLiteral("/home");
    ASSERT_TRUE(QDir().mkpath(home));
    if (c.documents_exist) ASSERT_TRUE(QDir().mkpath(home + QStringLiteral("/Documents")));
    if (c.home_owner == Owner::kSomeoneElse) {
      for (const QString& folder : {home, home + QStringLiteral("/Documents")}) {
        if (!QDir(folder).exists()) continue;
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 4242, 4242), 0) << c.name;
      }
    }
    const UserFolders folders{home + QStringLiteral("/Documents"),
                              home + QStringLiteral("/.local/share")};
    const std::optional<QString> made = EnsureDefaultTextFolder(folders);
    if (c.expected == nullptr) {
      EXPECT_FALSE(made.has_value()) << c.name << ": " << made->toStdString();
      EXPECT_FALSE(QDir(home + QStringLiteral("/Documents/TKV_TXT")).exists()) << c.name;
      EXPECT_FALSE(QDir(home + QStringLiteral("/.local")).exists()) << c.name;
      continue;
    }
    ASSERT_TRUE(made.has_value()) << c.name;
    EXPECT_EQ(made->toStdString(), (home + QString::fromUtf8(c.expected)).toStdString()) << c.name;
    EXPECT_TRUE(QDir(*made).exists()) << c.name;
    // Found again, not made again.
    EXPECT_EQ(EnsureDefaultTextFolder(folders), made) << c.name;
  }
}

}  // namespace
}  // namespace tekvo
