#include "rules/attributes.h"

#include "shell/value_stream.h"

const TAttribute* TAttributes_List::Get(int32_t i) const {
    if (i < 1 || i > Count() || !entries_[i - 1])
        return nullptr;
    return &*entries_[i - 1];
}

void TAttributes_List::Add(const TAttribute* attribute) {
    if (attribute)
        entries_.emplace_back(*attribute);
    else
        entries_.emplace_back(std::nullopt);
}

void TAttributes_List::Save(TValue_Writer& writer) const {
    writer.Write_Word(static_cast<uint16_t>(entries_.size()));
    for (const std::optional<TAttribute>& a : entries_) {
        writer.Write_Boolean(a.has_value());
        if (!a)
            continue;
        writer.Write_Word(a->Value_1);
        writer.Write_Word(a->Value_2);
        writer.Write_Boolean(a->Flag);
        writer.Write_Byte(a->Value_3);
        writer.Write_Word(a->Value_4);
        writer.Write_Word(a->Value_5);
    }
}

void TAttributes_List::Load(TValue_Reader& reader) {
    entries_.clear();
    const uint16_t count = reader.Read_Word();
    for (uint16_t k = 0; k < count; ++k) {
        if (!reader.Read_Boolean()) {
            entries_.emplace_back(std::nullopt);
            continue;
        }
        TAttribute a;
        a.Value_1 = reader.Read_Word();
        a.Value_2 = reader.Read_Word();
        a.Flag = reader.Read_Boolean();
        a.Value_3 = reader.Read_Byte();
        a.Value_4 = reader.Read_Word();
        a.Value_5 = reader.Read_Word();
        entries_.emplace_back(a);
    }
}
