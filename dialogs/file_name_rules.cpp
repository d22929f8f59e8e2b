#include "dialogs/file_name_rules.h"

namespace tekvo {
namespace {

// Trims blanks only, as the name rules count characters: tabs and other white
// space stay part of the name.
QString TrimSpaces(const QString& s) {
  qsizetype begin = 0;
  qsizetype end = s.size();
  while (begin < end && s[begin] == u' ') ++begin;
  while (end > begin && s[end - 1] == u' ') --end;
  return s.mid(begin, end - begin);
}

QString TrimLeadingSpaces(const QString& s) {
  qsizetype begin = 0;
  while (begin < s.size() && s[begin] == u' ') ++begin;
  return s.mid(begin);
}

}  // namespace

bool IsRefusedNameChar(QChar c) {
  static const QString kRefused = QStringLiteral("\"*/:<>?\\|");
  return kRefused.contains(c);
}

QString RefusedNameMessage() { return QStringLiteral("文件名里不能有 英文的 \" * / : < > ? \\ |"); }

MendedName MendFileName(const QString& typed, const std::function<bool(const QString&)>& exists) {
  const QString s = TrimSpaces(typed);
  const qsizetype n = s.size();
  // p counts from 1, as a position in the name; 0 means no dot.
  qsizetype p = s.lastIndexOf(u'.') + 1;
  if (p < n - 5 || p < 1) p = n + 1;

  MendedName result;
  QString extension;
  int added = 0;
  if (p < n) {
    extension = QStringLiteral(".") + TrimLeadingSpaces(s.mid(p));
  } else {
    extension = QStringLiteral(".txt");
    added = 4;
  }
  QString base = TrimSpaces(s.left(p - 1).replace(u'.', u' '));
  int start = static_cast<int>(base.size());
  if (base.isEmpty()) {
    base = QStringLiteral("!未起名");
    added += static_cast<int>(base.size());
    start = 0;
  }
  result.name = base + extension;
  if (exists && exists(result.name)) {
    result.name = base + QStringLiteral("_2") + extension;
    added += 2;
    result.second = true;
  }
  result.sel_start = start;
  result.sel_length = added;
  return result;
}

}  // namespace tekvo
