// Loading speed of the data-file framework on a large generated file.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "datafiles/data_file.h"

namespace {

// The twenty fields of every generated record, all read back by the loader.
const char* const keys[] = {"Name",
                            "Type",
                            "Picture",
                            "Item Level Min",
                            "Item Level Max",
                            "Gold Value",
                            "Weight",
                            "Light Radius",
                            "Damage Min",
                            "Damage Max",
                            "Is Unique Item",
                            "Category",
                            "Number Of Effects",
                            "Effect 1 Type",
                            "Effect 1 Min",
                            "Effect 1 Max",
                            "Effect 1 Damage Variance",
                            "Consumption Type",
                            "Sound Hit",
                            "Description"};

// Item-class-like records of twenty fields each, about 5 MB in all.
std::string generated_data_file(size_t target_bytes) {
    std::string text = "Generated item classes\r\n*BEGIN*\r\n// Item classes\r\n\r\n";
    text.reserve(target_bytes + 4096);
    for (int record = 1; text.size() < target_bytes; ++record) {
        text += "// record " + std::to_string(record) + "\r\n";
        for (const char* key : keys) {
            text += key;
            text += " := ";
            text += std::string(key) == "Description"
                        ? "A plain item of the dungeon, number " + std::to_string(record)
                        : std::to_string(record % 977);
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text + "*END*\r\n";
}

class TRead_Every_Field : public TData_File_Loader {
  public:
    using TData_File_Loader::TData_File_Loader;
    size_t total = 0;

  protected:
    void Process_Record(int32_t) override {
        for (const char* key : keys) {
            Get_Field_Value(key, value_);
            total += Str_To_Word(value_) + value_.size();
        }
    }

  private:
    std::string value_;
};

void BM_Load_Data_File(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kv_bench_data";
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "Items.txt").string();
    const std::string text = generated_data_file(5 * 1024 * 1024);
    if (std::FILE* f = std::fopen(file.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    for (auto _ : state) {
        TRead_Every_Field loader(file);
        bool ok = loader.Execute_Load();
        if (!ok) {
            state.SkipWithError("the generated file did not load cleanly");
            break;
        }
        benchmark::DoNotOptimize(loader.total);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Load_Data_File)->Unit(benchmark::kMillisecond);

} // namespace
