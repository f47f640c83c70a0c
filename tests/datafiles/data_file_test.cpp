#include <gtest/gtest.h>

#include <stdexcept>

#include "datafiles/data_file.h"
#include "recording_loader.h"
#include "support/temp_dir.h"

namespace {

using TStrings = std::vector<std::string>;

std::string join_lines(const TStrings& lines, const char* line_end = "\r\n") {
    std::string text;
    for (const std::string& line : lines) {
        text += line + line_end;
    }
    return text;
}

// The usual head of a data file: the marker, a title and a blank line.
TStrings with_head(const TStrings& body) {
    TStrings lines = {"*BEGIN*", "// Test file", ""};
    lines.insert(lines.end(), body.begin(), body.end());
    return lines;
}

class Data_File : public ::testing::Test {
  protected:
    TTemp_Dir dir;
    std::unique_ptr<TRecording_Loader> loader;

    TRecording_Loader& prepare(const TStrings& lines, const char* line_end = "\r\n") {
        loader = std::make_unique<TRecording_Loader>(
            dir.Write("Data/Test.txt", join_lines(lines, line_end)));
        return *loader;
    }
    // The records read, one "number: name=value; ..." line each.
    TStrings load(const TStrings& lines, const char* line_end = "\r\n") {
        prepare(lines, line_end).Execute_Load();
        TStrings result;
        for (const TRecording_Loader::TRecord& record : loader->records) {
            std::string text = std::to_string(record.number) + ":";
            for (const auto& field : record.fields) {
                text += " " + field.name + "=" + field.value + ";";
            }
            result.push_back(text);
        }
        return result;
    }
    const TStrings& errors() const { return loader->Get_Error_List(); }
};

TEST_F(Data_File, StartMarker) {
    // Lines before the marker and the two after it are never fields.
    EXPECT_EQ(load({"A := before", "xx *BEGIN* xx", "A := skipped", "A := skipped", "A := kept", "",
                    "*END*"}),
              TStrings{"1: A=kept;"});
    EXPECT_TRUE(errors().empty());
    for (const TStrings& no_marker :
         {TStrings{"*begin*", "", "", "A := 1", "", "*END*"}, TStrings{"A := 1", ""},
          TStrings{"*END*", "*BEGIN*", "", "", "A := 1", "", "*END*"}, TStrings{}}) {
        EXPECT_TRUE(load(no_marker).empty());
        EXPECT_EQ(errors(), TStrings{"Cannot find *BEGIN*"});
    }
    // Only the markers, or a marker on the last line: no record and nothing to report.
    for (const TStrings& empty :
         {TStrings{"*BEGIN*", "", "", "*END*"}, TStrings{"Title", "*BEGIN*"}}) {
        EXPECT_TRUE(load(empty).empty());
        EXPECT_TRUE(errors().empty());
    }
}

TEST_F(Data_File, FieldLines) {
    EXPECT_EQ(
        load(with_head({"  Monster Base Health Start \t:=\t 12  ", "Name := Sword // sharp",
                        "// old := 5", "A := B := C", "Empty :=", ":= nameless",
                        "Long := " + std::string(5000, 'x'), "Caf\xe9 := \xc3\xa9", "", "*END*"})),
        TStrings{"1: Monster Base Health Start=12; Name=Sword // sharp; // old=5; A=B := C; "
                 "Empty=; Long=" +
                 std::string(5000, 'x') + "; Caf\xe9=\xc3\xa9;"});
}

TEST_F(Data_File, RecordBoundaries) {
    // Comments keep a record open; a block of comments is a record of its own.
    EXPECT_EQ(
        load(with_head({"A := 1", "// note", "B := 2", "", "// only", "", "C := 3", "", "*END*"})),
        (TStrings{"1: A=1; //=; B=2;", "2: //=;", "3: C=3;"}));
    // Stray text or blanks end a record like an empty line.
    EXPECT_EQ(load(with_head({"A := 1", "stray", "B := 2", "   \t", "C := 3", "", "*END*"})),
              (TStrings{"1: A=1;", "2: B=2;", "3: C=3;"}));
    // Two separators in a row end the data.
    EXPECT_EQ(load(with_head({"A := 1", "", "", "B := 2", "", "*END*"})), TStrings{"1: A=1;"});
    // The end marker ends the data after the record it closes.
    EXPECT_EQ(load(with_head({"A := 1", "", "B := 2", "*END*", "C := 3", ""})),
              (TStrings{"1: A=1;", "2: B=2;"}));
    EXPECT_EQ(loader->calls, (TStrings{"before", "record", "record", "after"}));
    // A value holding the end marker stops the reading there and is lost.
    EXPECT_EQ(load(with_head({"A := 1", "Note := see *END* here", "B := 2", "", "*END*"})),
              TStrings{"1: A=1;"});
    // Without the end marker the last line is never parsed, with or without a line end.
    EXPECT_EQ(load(with_head({"A := 1", "B := 2"})), TStrings{"1: A=1;"});
    EXPECT_EQ(load({"*BEGIN*\n\n\nA := 1\nB := 2"}, ""), TStrings{"1: A=1;"});
    // Line feeds alone read like carriage return and line feed.
    const TStrings lines =
        with_head({"Name := Sword", "Level := 3", "", "Name := Axe", "", "*END*"});
    EXPECT_EQ(load(lines, "\n"), load(lines, "\r\n"));
    EXPECT_EQ(load(lines, "\n"), (TStrings{"1: Name=Sword; Level=3;", "2: Name=Axe;"}));
}

TEST_F(Data_File, FieldLookup) {
    TRecording_Loader& l = prepare(with_head(
        {"monster base health start := 12", "Name := First", "NAME := Second", "", "*END*"}));
    TStrings seen;
    bool optional_found = true;
    l.on_record = [&](TRecording_Loader& self, int32_t) {
        seen = {self.Field("Monster Base Health Start"), self.Field("name")};
        std::string value = "stale";
        optional_found = self.Get_Field_Value("Module Difficulty Description", value, false);
        seen.push_back(value);
    };
    EXPECT_TRUE(l.Execute_Load());
    EXPECT_EQ(seen, (TStrings{"12", "First", ""}));
    EXPECT_FALSE(optional_found);
}

TEST_F(Data_File, MessagesCiteTheRecordNameOrNumber) {
    TRecording_Loader& l = prepare(with_head({"X := 1", "", "Name := Goblin", "", "X := 2", "",
                                              "Name := Orc", "", "// comments only", "", "*END*"}));
    l.on_record = [](TRecording_Loader& self, int32_t number) {
        std::string name;
        if (self.Get_Field_Value("Name", name, number != 1)) {
            self.Set_Record_Name(name);
        }
        if (number == 1) {
            self.Report_Unknown_Value("Two way - always", "Connection Type");
        }
        if (number == 3) {
            self.Report_Unknown_Value("Huge", "Corpse Type");
            self.Add_Error("any text");
        }
    };
    EXPECT_FALSE(l.Execute_Load());
    EXPECT_EQ(errors(),
              (TStrings{"Unknown value \"Two way - always\" for Connection Type in record \"1\".",
                        "Could not find field \"Name\" in record \"Goblin\".",
                        "Unknown value \"Huge\" for Corpse Type in record \"Goblin\".", "any text",
                        "Could not find field \"Name\" in record \"Orc\"."}));
    // Each load starts with an empty list.
    l.on_record = nullptr;
    EXPECT_TRUE(l.Execute_Load());
    EXPECT_TRUE(errors().empty());

    TRecording_Loader& first = prepare(with_head({"// nothing", "", "*END*"}));
    first.on_record = [](TRecording_Loader& self, int32_t) {
        std::string value;
        self.Get_Field_Value("Name", value);
    };
    EXPECT_FALSE(first.Execute_Load());
    EXPECT_EQ(errors(), TStrings{"Could not find field \"Name\" in record 1."});
}

TEST_F(Data_File, FailuresEndInTheErrorList) {
    const std::string missing = dir.Path() + "Data/Nothing.txt";
    TRecording_Loader absent(missing);
    EXPECT_FALSE(absent.Execute_Load());
    EXPECT_EQ(absent.Get_Error_List(), TStrings{"Unable to load data file: \"" + missing + "\"."});
    EXPECT_TRUE(absent.calls.empty());

    // A failing loader keeps what it read before, and Execute_Load does not throw.
    TRecording_Loader& l = prepare(with_head({"A := 1", "", "B := 2", "", "C := 3", "", "*END*"}));
    l.on_record = [](TRecording_Loader& self, int32_t number) {
        if (number == 2) {
            self.Add_Error("before the failure");
            throw std::runtime_error("broken");
        }
    };
    EXPECT_NO_THROW(EXPECT_FALSE(l.Execute_Load()));
    EXPECT_EQ(l.records.size(), 2u);
    EXPECT_EQ(l.calls, (TStrings{"before", "record", "record"}));
    EXPECT_EQ(errors(), (TStrings{"before the failure",
                                  "Unable to load data file: \"" + l.File_Name() + "\"."}));
}

TEST_F(Data_File, PathsAreFoundAsTheDataFilesWriteThem) {
    dir.Write("Data/settings.TXT", join_lines(with_head({"A := 1", "", "*END*"})));
    TRecording_Loader l(dir.Path() + "data\\Settings.txt");
    EXPECT_TRUE(l.Execute_Load());
    EXPECT_EQ(l.records.size(), 1u);
}

} // namespace
