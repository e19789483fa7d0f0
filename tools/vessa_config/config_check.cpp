#include "tools/vessa_config/config_check.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "config/ini_document.h"
#include "config/ini_file.h"
#include "plugin/jiggle_setting.h"
#include "tools/vessa_config/ini_reads.h"

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// How the report shows bytes of the file: 20..7E hex as they are, any other byte as \xNN.
std::string Printable(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte <= 0x7E) {
            shown.push_back(c);
        } else {
            shown += "\\x";
            shown.push_back(kHex[byte >> 4]);
            shown.push_back(kHex[byte & 0xF]);
        }
    }
    return shown;
}

std::string Quoted(std::string_view bytes) {
    return "\"" + Printable(bytes) + "\"";
}

std::string Section(std::string_view name) {
    return "[" + Printable(name) + "]";
}

std::string FoldedAscii(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Non-ASCII characters that look like ASCII ones, by kind.
enum Lookalike : unsigned {
    kNoBreakSpace = 1u << 0,  // U+00A0, U+202F; also A0 alone, as Windows-1252 saves it
    kOtherSpace = 1u << 1,    // U+2000..U+200A, U+205F, U+3000
    kFullWidth = 1u << 2,     // U+FF01..U+FF5E, the full-width forms of ! to ~
    kZeroWidth = 1u << 3,     // U+200B..U+200D, U+2060, U+FEFF
};

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// `text` with every look-alike replaced by the ASCII character it looks like (zero-width
// ones dropped); `found` collects the kinds there were. Other bytes stay as they are.
std::string WithoutLookalikes(std::string_view text, unsigned& found) {
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        unsigned code = 0;
        std::size_t size = 0;
        if (lead >= 0xC2 && lead <= 0xDF && i + 1 < text.size() && IsContinuation(text[i + 1])) {
            code = (lead & 0x1Fu) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            size = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF && i + 2 < text.size() &&
                   IsContinuation(text[i + 1]) && IsContinuation(text[i + 2])) {
            code = (lead & 0x0Fu) << 12 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6 |
                   (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
            size = 3;
        } else if (lead == 0xA0) {
            code = 0xA0;
            size = 1;
        }
        if (code == 0xA0 || code == 0x202F) {
            found |= kNoBreakSpace;
            ascii.push_back(' ');
        } else if ((code >= 0x2000 && code <= 0x200A) || code == 0x205F || code == 0x3000) {
            found |= kOtherSpace;
            ascii.push_back(' ');
        } else if (code >= 0xFF01 && code <= 0xFF5E) {
            found |= kFullWidth;
            ascii.push_back(static_cast<char>(code - 0xFEE0));
        } else if ((code >= 0x200B && code <= 0x200D) || code == 0x2060 || code == 0xFEFF) {
            found |= kZeroWidth;
        } else {
            size = std::max<std::size_t>(size, 1);
            ascii.append(text.substr(i, size));
        }
        i += size;
    }
    return ascii;
}

std::string LookalikeNames(unsigned kinds) {
    std::string names;
    const auto add = [&names](const char* name) {
        names += names.empty() ? "" : " and ";
        names += name;
    };
    if (kinds & kNoBreakSpace) {
        add("a non-breaking space");
    }
    if (kinds & kOtherSpace) {
        add("a non-ASCII space");
    }
    if (kinds & kFullWidth) {
        add("full-width characters");
    }
    if (kinds & kZeroWidth) {
        add("a zero-width character");
    }
    return names;
}

// What a person probably meant: look-alikes made ASCII, surrounding spaces and tabs dropped,
// ASCII folded to lower case. Used only to spot near misses, never for the verdict.
std::string Loosely(std::string_view text) {
    unsigned ignored = 0;
    return FoldedAscii(Trimmed(WithoutLookalikes(text, ignored)));
}

bool IsAscii(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Loosely(text) == folded, without building a string for plain ASCII: every line's key is
// tested, so this must stay cheap for a file of millions of lines.
bool LooselyIs(std::string_view text, std::string_view folded) {
    if (IsAscii(text)) {
        return plugin::EqualsIgnoringAsciiCase(Trimmed(text), folded);
    }
    return Loosely(text) == folded;
}

bool IsMeantAsOn(std::string_view loose) {
    return loose == "true" || loose == "yes" || loose == "on" || loose == "1" || loose == "y" ||
           loose == "enabled" || loose == "enable";
}

// "the space is", "the tabs are", ...: a run of blanks named for a sentence.
std::string BlankRun(std::string_view run, const char* where, const char* partOf) {
    const bool spaces = run.find(' ') != std::string_view::npos;
    const bool tabs = run.find('\t') != std::string_view::npos;
    const bool one = run.size() == 1;
    std::string text = spaces && tabs ? "the spaces and tabs"
                       : spaces       ? (one ? "the space" : "the spaces")
                                      : (one ? "the tab" : "the tabs");
    return text + " " + where + (one ? " is part of " : " are part of ") + partOf;
}

// The findings of one report: all are counted, the first kMaxFindings in line order are
// kept. A finding's text is only built when it is kept, so a file of a million mistakes
// costs no more than a count.
class Findings {
  public:
    template <typename MakeText>
    void Add(std::size_t line, MakeText&& makeText) {
        ++total_;
        if (kept_.size() == kMaxFindings && line >= kept_.back().first) {
            return;
        }
        const auto at =
            std::upper_bound(kept_.begin(), kept_.end(), line,
                             [](std::size_t l, const std::pair<std::size_t, std::string>& k) {
                                 return l < k.first;
                             });
        kept_.insert(at, {line, "config.ini:" + std::to_string(line) +
                                    ": warning: " + std::string(makeText())});
        if (kept_.size() > kMaxFindings) {
            kept_.pop_back();
        }
    }

    void MoveTo(ConfigCheck& check) {
        for (auto& [line, text] : kept_) {
            check.findings.push_back(std::move(text));
        }
        check.moreFindings = total_ - kept_.size();
    }

  private:
    std::vector<std::pair<std::size_t, std::string>> kept_;
    std::size_t total_ = 0;
};

// The reads of config.ini placed in the file: what decided the verdict, and what looks
// like a UseJiggle line but is not one.
class LineCheck {
  public:
    std::size_t sectionLine = 0;   // first header of the plug-in's section
    std::size_t decidingLine = 0;  // last UseJiggle line in it: the one that counts
    std::string decidingValue;

    // Reads the file (a stream opened "rb") through once.
    void Run(std::FILE* binary, Findings& findings) {
        IniReads reads(binary, kPlatformTextMode);
        IniRead read;
        bool first = true;
        while (reads.Next(read)) {
            if (first && read.delivered.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
                findings.Add(read.line, [] {
                    return "the file starts with a byte-order mark, so its first line is no "
                           "section header; save it as UTF-8 without BOM (or as ANSI)";
                });
            }
            first = false;
            CheckSplitLine(read, findings);
            if (read.kind == IniRead::Kind::kHeader) {
                CheckHeader(read, findings);
            } else if (read.kind == IniRead::Kind::kPair) {
                CheckPair(read, findings);
            }
        }
        CheckRepeats(findings);
        CheckLoneCr(findings);
        if (const std::size_t line = reads.CtrlZLine(); line != 0) {
            findings.Add(line, [] {
                return "a Ctrl-Z byte (1A hex): on Windows the file ends there, so the plug-in "
                       "reads nothing from it on; delete it";
            });
        }
    }

  private:
    // A line longer than one read goes on as a line of its own; say so where that piece
    // stores something.
    void CheckSplitLine(const IniRead& read, Findings& findings) {
        // Only where the whole previous read stood on this line is the line itself that long;
        // a read spanning lines is the work of a CR alone, reported below.
        const bool longLine =
            read.continued && read.line == previousLine_ && previousLine_ == previousLastLine_;
        previousLine_ = read.line;
        previousLastLine_ = read.lastLine;
        if (longLine && read.kind != IniRead::Kind::kNothing && read.line != lastLongLine_) {
            lastLongLine_ = read.line;
            static_assert(kIniMaxRead == 1023, "the finding below names the reader's limit");
            findings.Add(read.line, [] {
                return "this line is longer than 1,023 bytes; the plug-in reads at most 1,023 "
                       "bytes at a time and takes the rest as a line of its own";
            });
        }
        if (read.lastLine > read.line) {  // a CR alone inside the read
            if (firstLoneCrLine_ == 0) {
                firstLoneCrLine_ = read.line;
            }
            linesAfterLoneCr_ += read.lastLine - read.line;
        }
    }

    void CheckHeader(const IniRead& read, Findings& findings) {
        section_ = read.name;
        inTarget_ = read.name == plugin::kConfigSection;
        nearMissSection_ = !inTarget_ && LooselyIs(read.name, FoldedAscii(plugin::kConfigSection));
        if (inTarget_ && sectionLine == 0) {
            sectionLine = read.line;
        }
        if (nearMissSection_) {
            findings.Add(read.line, [&] {
                return "section " + Section(read.name) + " is not " +
                       Section(plugin::kConfigSection) +
                       ": section names must match exactly, letter case and spaces included; "
                       "write: " +
                       Section(plugin::kConfigSection);
            });
        }
    }

    void CheckPair(const IniRead& read, Findings& findings) {
        constexpr std::string_view wanted = "usejiggle";
        if (read.key == plugin::kUseJiggleKey && inTarget_) {
            ++setCount_;
            if (firstSetLine_ == 0) {
                firstSetLine_ = read.line;
            }
            decidingLine = read.line;
            decidingValue = read.value;
            meantOn_ = meantOn_ || IsMeantAsOn(IntendedValue(read.value));
        }
        if (LooselyIs(read.key, wanted)) {
            CheckUseJiggleLine(read, findings);
            return;
        }
        const std::string_view key = Trimmed(read.key);
        if (!key.empty() && key[0] == '#' && LooselyIs(key.substr(1), wanted)) {
            // "#UseJiggle=true", meant as a comment, is the key "#UseJiggle".
            std::string comment = Printable(read.key);
            comment[comment.find('#')] = ';';
            if (read.hasEquals) {
                comment += "=" + Printable(read.value);
            }
            findings.Add(read.line, [&] {
                return "'#' starts no comment: this line is the key " + Quoted(read.key) +
                       ", which the plug-in ignores; only ';' starts a comment; to comment the "
                       "line out, write: " +
                       comment;
            });
            return;
        }
        const std::size_t colon = read.key.find(':');
        if (!read.hasEquals && colon != std::string_view::npos &&
            LooselyIs(read.key.substr(0, colon), wanted)) {
            findings.Add(read.line, [&] {
                return "':' does not separate key and value, only '=' does: this line is the key " +
                       Quoted(read.key) +
                       " with no value; write: UseJiggle=" + Suggested(read.key.substr(colon + 1));
            });
        }
    }

    // The value a person meant: before any '#', without blanks, quotes or look-alikes.
    static std::string IntendedValue(std::string_view value) {
        value = Trimmed(value.substr(0, value.find('#')));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return Loosely(value);
    }

    // The value to write instead: "true" for anything meant as on, else what was meant.
    static std::string Suggested(std::string_view value) {
        const std::string intended = IntendedValue(value);
        return IsMeantAsOn(intended) ? "true" : Printable(intended);
    }

    // A line whose key is UseJiggle but for letter case, blanks or look-alikes.
    void CheckUseJiggleLine(const IniRead& read, Findings& findings) {
        const auto write = [&read] { return "write: UseJiggle=" + Suggested(read.value); };
        const bool valueIsOn = plugin::TurnsJiggleOn(read.value);
        const std::size_t hash = read.value.find('#');
        const std::string_view beforeHash = read.value.substr(0, hash);

        if (!valueIsOn && hash != std::string_view::npos) {
            findings.Add(read.line, [&] {
                return "'#' starts no comment here, so the value is all of " + Quoted(read.value) +
                       "; only ';' starts a comment; " + write();
            });
        }
        const std::string_view bare = Trimmed(beforeHash);
        if (bare.size() >= 2 && (bare.front() == '"' || bare.front() == '\'') &&
            bare.back() == bare.front()) {
            findings.Add(read.line, [&] {
                return "quotes are not removed: the value is " + Printable(bare) +
                       " with its quotes; " + write();
            });
        }

        std::vector<std::string> blanks;
        const std::string_view key = read.key;
        if (const std::size_t n = key.find_first_not_of(kBlanks); n > 0 && n != key.npos) {
            blanks.push_back(BlankRun(key.substr(0, n), "before the key", "it"));
        }
        if (const std::size_t n = key.find_last_not_of(kBlanks); n + 1 < key.size()) {
            blanks.push_back(BlankRun(key.substr(n + 1), "before '='", "the key"));
        }
        if (const std::size_t n = beforeHash.find_first_not_of(kBlanks);
            n > 0 && n != beforeHash.npos) {
            blanks.push_back(BlankRun(beforeHash.substr(0, n), "after '='", "the value"));
        }
        if (const std::size_t n = read.value.find_last_not_of(kBlanks);
            hash == std::string_view::npos && n != read.value.npos && n + 1 < read.value.size()) {
            blanks.push_back(BlankRun(read.value.substr(n + 1), "at the end of the value", "it") +
                             " (a ';' comment may follow the value directly)");
        }
        if (!blanks.empty()) {
            findings.Add(read.line, [&] {
                std::string text = "nothing is trimmed: ";
                for (std::size_t i = 0; i < blanks.size(); ++i) {
                    text += (i == 0 ? "" : "; ") + blanks[i];
                }
                return text + "; " + write();
            });
        }

        unsigned keyLookalikes = 0;
        unsigned valueLookalikes = 0;
        const std::string asciiKey =
            IsAscii(key) ? std::string(Trimmed(key))
                         : std::string(Trimmed(WithoutLookalikes(key, keyLookalikes)));
        if (!IsAscii(read.value)) {
            WithoutLookalikes(read.value, valueLookalikes);
        }
        if (keyLookalikes != 0) {
            findings.Add(read.line, [&] {
                return "the key " + Quoted(key) + " is not plain ASCII: it holds " +
                       LookalikeNames(keyLookalikes) + "; " + write();
            });
        }
        if (valueLookalikes != 0 && !valueIsOn) {
            findings.Add(read.line, [&] {
                return "the value " + Quoted(read.value) + " is not plain ASCII: it holds " +
                       LookalikeNames(valueLookalikes) + "; " + write();
            });
        }
        if (asciiKey != plugin::kUseJiggleKey) {
            findings.Add(read.line, [&] {
                return "key " + Quoted(Trimmed(key)) +
                       " is not \"UseJiggle\": keys must match exactly, letter case included; " +
                       write();
            });
        }
        if (const std::string meant = IntendedValue(read.value);
            IsMeantAsOn(meant) && meant != "true") {
            findings.Add(read.line, [&] {
                return "the value " + Quoted(read.value) +
                       " reads as off: only \"true\" (any letter case) turns the jiggle set-up "
                       "on; " +
                       write();
            });
        }

        if (read.key == plugin::kUseJiggleKey && section_.empty()) {
            findings.Add(read.line, [&] {
                return "UseJiggle=" + Printable(read.value) +
                       " stands before any section header and is not read; put it under " +
                       Section(plugin::kConfigSection);
            });
        } else if (read.key == plugin::kUseJiggleKey && !inTarget_ && !nearMissSection_) {
            // A near miss of the section was named at its header.
            findings.Add(read.line, [&] {
                return "UseJiggle=" + Printable(read.value) + " is in section " +
                       Section(section_) + ", which the plug-in does not read; put it under " +
                       Section(plugin::kConfigSection);
            });
        }
    }

    // Later lines win: the deciding line of a repeated key may be an empty one.
    void CheckRepeats(Findings& findings) {
        if (setCount_ < 2) {
            return;
        }
        findings.Add(decidingLine, [&] {
            return "UseJiggle is set " + std::to_string(setCount_) + " times in " +
                   Section(plugin::kConfigSection) + ", first on line " +
                   std::to_string(firstSetLine_) +
                   "; later lines win, so this line decides: UseJiggle=" +
                   Printable(decidingValue) +
                   "; keep one line, write: UseJiggle=" + (meantOn_ ? "true" : "false");
        });
    }

    void CheckLoneCr(Findings& findings) {
        if (firstLoneCrLine_ == 0) {
            return;
        }
        findings.Add(firstLoneCrLine_, [&] {
            return "this line ends in a carriage return without a line feed; the plug-in reads on "
                   "to the next line feed and drops all after the carriage return, so " +
                   (linesAfterLoneCr_ == 1
                        ? std::string("1 line of the file is")
                        : std::to_string(linesAfterLoneCr_) + " lines of the file are") +
                   " not read; save it with Windows (CR LF) line ends";
        });
    }

    std::string section_;  // the current section while reading; "" is the implicit one
    bool inTarget_ = false;
    bool nearMissSection_ = false;
    std::size_t setCount_ = 0;
    std::size_t firstSetLine_ = 0;
    bool meantOn_ = false;
    std::size_t previousLine_ = 0;
    std::size_t previousLastLine_ = 0;
    std::size_t lastLongLine_ = 0;
    std::size_t firstLoneCrLine_ = 0;
    std::size_t linesAfterLoneCr_ = 0;
};

// Opens config.ini as OpenIniFile does, but in binary mode: the lines are counted in the
// file's own bytes, and text mode would hide a Ctrl-Z on Windows.
std::FILE* OpenBinary(const std::string& path) {
    return OpenIniFile(path, "rb");
}

}  // namespace

bool CheckConfigFolder(const std::string& folder, ConfigCheck& check, std::string& error) {
    std::error_code ec;
    std::filesystem::directory_iterator probe(std::filesystem::path(folder), ec);
    if (ec) {
        error = "cannot read the folder '" + folder + "': " + ec.message();
        return false;
    }

    check = ConfigCheck{};
    check.path = plugin::ConfigPath(folder);
    // The verdict comes from exactly what Init runs: the same path, reader and test.
    const IniDocument document(check.path);
    check.useJiggle = plugin::UseJiggle(document);

    Findings findings;
    LineCheck lines;
    std::FILE* file = OpenBinary(check.path);
    const bool opened = file != nullptr;
    bool readable = false;
    if (file != nullptr) {
        lines.Run(file, findings);
        readable = std::ferror(file) == 0;
        std::fclose(file);
    }

    const IniSection* section = document.FindSection(plugin::kConfigSection);
    const std::string_view* value =
        section != nullptr ? section->FindValue(plugin::kUseJiggleKey) : nullptr;
    // Lines are named only where the retraced reads agree with the document.
    const bool placed =
        value != nullptr && lines.decidingLine != 0 && lines.decidingValue == *value;
    const std::string setting =
        value == nullptr
            ? std::string()
            : (placed ? "config.ini:" + std::to_string(lines.decidingLine) + " decides with "
                      : Section(plugin::kConfigSection) + " has ") +
                  "UseJiggle=" + Printable(*value) + (value->empty() ? " (an empty value)" : "");

    if (check.useJiggle) {
        check.verdict = "UseJiggle is ON: " + setting + "; the game's jiggle set-up runs";
    } else if (!opened) {
        check.verdict = "UseJiggle is OFF: there is no config.ini to open (" + check.path + ")";
    } else if (!readable) {
        check.verdict = "UseJiggle is OFF: config.ini opened but could not be read (" + check.path +
                        " is not a plain file)";
    } else if (section == nullptr) {
        check.verdict =
            "UseJiggle is OFF: config.ini has no section " + Section(plugin::kConfigSection);
    } else if (value == nullptr) {
        check.verdict =
            "UseJiggle is OFF: " + Section(plugin::kConfigSection) +
            (lines.sectionLine != 0 ? " (config.ini:" + std::to_string(lines.sectionLine) + ")"
                                    : std::string()) +
            " has no key UseJiggle";
    } else {
        check.verdict =
            "UseJiggle is OFF: " + setting + ", and only \"true\" (any letter case) turns it on";
    }
    if (!check.useJiggle) {
        check.verdict += "; the game's jiggle set-up is passed over";
    }
    findings.MoveTo(check);
    return true;
}
