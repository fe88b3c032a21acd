// --help, the manual page and the README tell the same keys, each with when it acts, and
// the same options: the keys word for word from the program's table, the options by name.
#include "shell/key_help.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "shell/options.h"

namespace {

std::string sourceFile(const char* path) {
    std::ifstream file(std::string(TARVEL_SOURCE_DIR) + "/" + path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::set<std::string> optionsIn(const std::string& text) {
    static const std::regex option("--[a-z][a-z-]*");
    std::set<std::string> found;
    for (std::sregex_iterator i(text.begin(), text.end(), option), end; i != end; ++i) {
        found.insert(i->str());
    }
    return found;
}

// The README's option table: from its head row to the first line that is no row.
std::string readmeOptionTable(const std::string& readme) {
    const size_t head = readme.find("| option | effect |");
    const size_t end = readme.find("\n\n", head);
    return head == std::string::npos ? "" : readme.substr(head, end - head);
}

TEST(KeyHelp, HelpManualAndReadmeTellTheSameKeysAndOptions) {
    const std::string manual = sourceFile("packaging/man/tarvel.1");
    const std::string readme = sourceFile("README.md");
    ASSERT_FALSE(manual.empty() || readme.empty()) << "the manual page or the README is missing";
    const std::string help = usageText();

    const std::string helpKeys = KeyHelp::describe(KeyHelp::Format::Terminal);
    EXPECT_NE(help.find(helpKeys), std::string::npos);
    const std::string manualKeys = ".SH KEYS\n" + KeyHelp::describe(KeyHelp::Format::Manual);
    EXPECT_NE(manual.find(manualKeys), std::string::npos)
        << "the manual page's KEYS section should read:\n"
        << manualKeys;
    const std::string readmeKeys = KeyHelp::describe(KeyHelp::Format::Markdown);
    EXPECT_NE(readme.find("\n" + readmeKeys + "\n"), std::string::npos)
        << "the README's key table should read:\n"
        << readmeKeys;
    std::istringstream lines(helpKeys);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << line;
    }

    const std::string unescaped = std::regex_replace(manual, std::regex(R"(\\-)"), "-");
    const std::set<std::string> inHelp = optionsIn(help);
    EXPECT_EQ(optionsIn(unescaped), inHelp) << "--help and the manual page name other options";
    EXPECT_EQ(optionsIn(readmeOptionTable(readme)), inHelp)
        << "--help and the README's option table name other options";
}

}  // namespace
