// Code page registry: which converter serves each Windows code page number.
//
// The bridge (engine/codepage/codepage.h) looks numbers up here; nothing else should
// need to. Each entry names the closest table that ICU (or, for the one page
// ICU lacks, glibc iconv) has for the page. To serve a new number, add one
// row to the table in codepage_registry.cpp.
#ifndef TEKVO_ENGINE_CODEPAGE_CODEPAGE_REGISTRY_H_
#define TEKVO_ENGINE_CODEPAGE_CODEPAGE_REGISTRY_H_

#include <span>

#include "engine/codepage/windows_ids.h"
#include "engine/text/text.h"

namespace tekvo {

enum class ConverterBackend {
  kIcu,    // ucnv_open(name)
  kIconv,  // iconv_open(name, "UTF-16LE") and back
};

struct CodePageEntry {
  CodePageId cp;
  const char* name;  // ICU converter name or iconv charset name
  ConverterBackend backend;
};

// The registry entry for `cp`, or nullptr when no converter serves it. Code
// page 0 (the system's ANSI code page) is answered with the entry of
// kSystemAnsiCodePage.
const CodePageEntry* FindCodePage(CodePageId cp);

// Every served code page, in table order (0 not included).
std::span<const CodePageEntry> ServedCodePages();

// What code page 0 stands for. The editor is made for Simplified Chinese
// users, so the system page is taken to be GBK whatever the host's locale.
inline constexpr CodePageId kSystemAnsiCodePage = kCpGbk;

}  // namespace tekvo

#endif  // TEKVO_ENGINE_CODEPAGE_CODEPAGE_REGISTRY_H_
