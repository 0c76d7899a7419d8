// Checks the language file that ships beside the program: its byte format and
// that every language answers every text number the program looks up.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const char* const kLanguageFile = FTPT_SOURCE_DIR "/src/res/data/FTPTtrl.ini";

struct Section {
    std::string code;
    std::vector<std::string> lines;  // between the header and "[EOL]"
    std::map<int, std::vector<std::string>> entries;
};

struct Expected { const char* code; const char* name; };

// In file order; the name is the language's own, shown by the language dialog.
const Expected kSections[] = {
    {"[1033]", "English"},
    {"[1031]", "Deutsch"},
    {"[1036]", "Fran\xE7" "ais"},
    {"[1034]", "Espa\xF1ol"},
    {"[1043]", "Nederlands"},
    {"[1046]", "Portugu\xEAs (Brasil)"},
};

// Every number the program shows (the names in TextId.h), and 3, the
// language's own name, which the language list reads.
std::set<int> NumbersInUse()
{
    std::ifstream in(FTPT_SOURCE_DIR "/src/i18n/TextId.h");
    std::set<int> numbers = {3};
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t equals = line.find(" = ");
        if (line.find("    k") == 0 && equals != std::string::npos)
            numbers.insert(std::stoi(line.substr(equals + 3)));
    }
    return numbers;
}

std::string ReadBytes()
{
    std::ifstream in(kLanguageFile, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> SplitCrLf(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

bool IsEntryLine(const std::string& line)
{
    if (line.size() < 7 || line[5] != ' ')
        return false;
    for (int i = 0; i < 5; ++i)
        if (line[i] < '0' || line[i] > '9')
            return false;
    return true;
}

std::vector<Section> ReadSections(const std::vector<std::string>& lines)
{
    std::vector<Section> sections;
    Section* open = nullptr;
    for (const std::string& line : lines) {
        if (!open && line.size() == 6 && line[0] == '[') {
            sections.push_back(Section{line, {}, {}});
            open = &sections.back();
        } else if (open && line == "[EOL]") {
            open = nullptr;
        } else if (open) {
            open->lines.push_back(line);
            if (IsEntryLine(line))
                open->entries[std::stoi(line.substr(0, 5))].push_back(line.substr(6));
        } else {
            ADD_FAILURE() << "line outside every section: " << line;
        }
    }
    EXPECT_EQ(open, nullptr) << "the last section has no [EOL]";
    return sections;
}

std::vector<Section> LoadSections()
{
    return ReadSections(SplitCrLf(ReadBytes()));
}

// The letter after the single '&' of a menu text, in upper case; 0 when the
// text has no accelerator or more than one.
char Accelerator(const std::string& text)
{
    const size_t at = text.find('&');
    if (at == std::string::npos || at + 1 >= text.size() || text.find('&', at + 1) != std::string::npos)
        return 0;
    const unsigned char c = static_cast<unsigned char>(text[at + 1]);
    return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

}  // namespace

TEST(LanguageFileContent, EveryLineEndsInCrLf)
{
    const std::string bytes = ReadBytes();
    ASSERT_FALSE(bytes.empty()) << kLanguageFile;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "the last line has no line end";
}

TEST(LanguageFileContent, BytesAreLatin1TextNotUtf8)
{
    const std::string bytes = ReadBytes();
    ASSERT_FALSE(bytes.empty()) << kLanguageFile;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        const unsigned char next = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        // A UTF-8 lead byte followed by a continuation byte: text encoded as
        // UTF-8 would show as two characters such as "Ã¤" in the program.
        EXPECT_FALSE(c >= 0xC2 && c <= 0xF4 && next >= 0x80 && next <= 0xBF)
            << "UTF-8 sequence at byte " << i;
        // Control characters, and 0x80..0x9F, where another code page would put
        // curly quotes or the euro sign: not printable in ISO 8859-1.
        EXPECT_FALSE((c < 0x20 && c != '\r' && c != '\n') || c == 0x7F || (c >= 0x80 && c <= 0x9F))
            << "byte 0x" << std::hex << int(c) << " at " << std::dec << i;
    }
}

TEST(LanguageFileContent, SixSectionsInOrderEachNamingItsLanguageSecond)
{
    const std::vector<Section> sections = LoadSections();
    ASSERT_EQ(sections.size(), std::size(kSections));
    for (size_t i = 0; i < sections.size(); ++i) {
        const Section& section = sections[i];
        SCOPED_TRACE(section.code);
        EXPECT_EQ(section.code, kSections[i].code);
        ASSERT_GE(section.lines.size(), 2u);
        // The language dialog takes the name from the second line after the
        // header, dropping its first six characters.
        EXPECT_EQ(section.lines[0].substr(0, 6), "00001 ");
        EXPECT_GT(section.lines[0].size(), 6u);
        EXPECT_EQ(section.lines[1], std::string("00003 ") + kSections[i].name);
    }
}

TEST(LanguageFileContent, EverySectionHoldsEveryNumberInUseExactlyOnce)
{
    const std::set<int> inUse = NumbersInUse();
    for (const Section& section : LoadSections()) {
        SCOPED_TRACE(section.code);
        for (const std::string& line : section.lines)
            EXPECT_TRUE(IsEntryLine(line)) << "not an entry with a text: " << line;
        for (int number : inUse) {
            const auto found = section.entries.find(number);
            EXPECT_TRUE(found != section.entries.end() && found->second.size() == 1)
                << "number " << number << " is missing or repeated";
        }
        for (const auto& entry : section.entries)
            EXPECT_EQ(inUse.count(entry.first), 1u) << "number " << entry.first << " is not in use";
    }
}

TEST(LanguageFileContent, TextsKeepWhatTheProgramReliesOn)
{
    struct Rule { int number; const char* once; };
    const Rule rules[] = {
        {66, "%1"},  // the setting's name goes there
        {67, "%1"},  // the number of files
        {68, "%1"},  // the settings file's path
        {123, "%1"},  // the server's reply
        {129, "%1"},  // the folder's path
        {108, "%1"},  // the part of the profile
        {606, "%1"},  // the saved server's name
        {608, "%1"},  // the most servers
        {110, "%1"},  // the number of entries
        {111, "%1"},  // the most folders a walk lists
        {198, "\"ftp://\""},
        {149, "%1"},  // the name typed
        {150, "%1"},
        {151, "%1"},
        {152, "%1"},  // the entry's name
    };
    for (const Section& section : LoadSections()) {
        SCOPED_TRACE(section.code);
        EXPECT_EQ(section.entries.at(5).front(), "Velmo FTP Tandril");
        for (const Rule& rule : rules) {
            const std::string& text = section.entries.at(rule.number).front();
            EXPECT_NE(text.find(rule.once), std::string::npos) << rule.number << ": " << text;
            EXPECT_EQ(text.find(rule.once), text.rfind(rule.once)) << rule.number << ": " << text;
        }
    }
}

TEST(LanguageFileContent, MenuTextsHaveOneAcceleratorUniqueInTheirMenu)
{
    const std::vector<std::vector<int>> menus = {
        {200, 603, 245},  // the menu bar
        {604},            // Servers
        {210, 212},       // File
        {250, 255, 260},  // Help
        {141, 142, 144, 145, 146, 147},  // the local list's context menu
        {141, 143, 144, 145, 146, 147},  // the FTP list's
    };
    for (const Section& section : LoadSections()) {
        SCOPED_TRACE(section.code);
        for (const std::vector<int>& menu : menus) {
            std::set<char> used;
            for (int number : menu) {
                const std::string& text = section.entries.at(number).front();
                const char key = Accelerator(text);
                EXPECT_NE(key, 0) << number << ": " << text;
                EXPECT_TRUE(used.insert(key).second) << number << ": '" << key << "' is taken in " << text;
            }
        }
    }
}
