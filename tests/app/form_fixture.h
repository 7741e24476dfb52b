// SPDX-License-Identifier: MIT
// A started main window over a scripted host, with a private directory for the files it opens
// and saves.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "app/fretlux_form.h"
#include "scripted_host.h"

namespace fretlux::testing {

class FormTest : public ::testing::Test {
protected:
    FormTest() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        directory = std::filesystem::temp_directory_path() /
                    ("fretlux-app-" + std::string(test->test_suite_name()) + "-" + test->name());
        std::filesystem::remove_all(directory);
        std::filesystem::create_directories(directory);
        form.StartUp();
    }
    ~FormTest() override { std::filesystem::remove_all(directory); }

    std::string PathOf(const std::string& name) const { return (directory / name).string(); }

    void WriteFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
    }

    std::string ReadFile(const std::string& name) const {
        std::ifstream in(PathOf(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Writes the file and opens it through File > Open, answering any save question No.
    void OpenText(const std::string& name, const std::string& bytes) {
        WriteFile(name, bytes);
        host.chosenPaths.push_back(PathOf(name));
        if (form.DocumentChanged()) host.answers.push_back(MessageAnswer::No);
        form.Run(Command::OpenFile);
    }

    const std::string& Line(int tabNumber, int line) const {
        return form.Document().tabLines[tabNumber - 1][line];
    }

    // Where the view stands: the TAB shown of how many, the selection and the last column.
    std::string View() const {
        return "TAB " + std::to_string(form.Controls().hscTAB.Value()) + "/" +
               std::to_string(form.Controls().hscTAB.Max()) + " column " +
               std::to_string(form.Columns().CursorColumn()) + "+" +
               std::to_string(form.Columns().SelectionLength()) + " of " +
               std::to_string(form.Columns().LastColumn());
    }

    void Select(int column, int length) { form.SelectColumns(column, length); }

    // Shows the document with a change that no command makes, as a file read with it would.
    void Rewrite(const std::function<void(TabDocument&)>& change) {
        TabDocument document = form.Document();
        change(document);
        form.ShowReadDocument(std::move(document));
    }

    // Types the shown TAB's text in its text window and saves it.
    void TypeTabText(const std::string& text) {
        host.onTextEditor = [text](TextEditorForm& editor) {
            editor.text = text;
            editor.RunFileItem(0);
        };
        form.Run(Command::EditTabText);
        host.onTextEditor = nullptr;
    }

    const std::string& Cell(int column, int line) const {
        return form.Columns().Column(column)[line];
    }

    ScriptedHost host;
    FretluxForm form{host};
    std::filesystem::path directory;
};

// A plain TAB block whose high E line holds the given positions after "e|"; every line ends in
// "---" so that it is a string line whatever the positions are.
inline std::string PlainBlock(const std::string& label, const std::string& highE) {
    const std::string rest = std::string(highE.size(), '-') + "---\n";
    return label + "\ne|" + highE + "---\nB|" + rest + "G|" + rest + "D|" + rest + "A|" + rest +
           "E|" + rest;
}

}  // namespace fretlux::testing
