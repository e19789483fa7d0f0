// The canonical text form of an IniDocument, as `vessa-config dump` prints it: one form for
// people, golden files and other programs to see exactly what the reader stored.
#pragma once

#include <string>
#include <string_view>

#include "config/ini_document.h"

// Sections in ascending byte order of their names (std::string order: unsigned bytes, a
// shorter prefix first), each as a line "[NAME]" followed by one line "KEY=VALUE" per pair,
// keys in the same order. Every byte outside 0x20..0x7E and each of \ [ ] = ; is written as
// "\x" and two lower-case hex digits, so the text is plain ASCII and can be split back
// unambiguously. Each line ends with a single LF. An empty document dumps as "".
std::string DumpIniDocument(const IniDocument& document);

// The bytes as the dump shows a name, key or value: \xHH for each byte that needs it.
std::string EscapeIniBytes(std::string_view bytes);
