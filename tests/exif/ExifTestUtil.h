#pragma once

#include "TiffWriter.h"
#include "exif/ExifReader.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace kamelune::test {

struct ReadResult {
    std::string kind;
    ExifItemTexts items;
    bool ok = false;
    std::uint64_t bytesRead = 0; // what the walk asked its source for
};

inline ReadResult ReadBytes(const std::string& bytes) {
    ReadResult r;
    FileKind kind = FileKind::Unread;
    r.ok = ReadExifMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), kind,
                          r.items, {}, &r.bytesRead);
    r.kind = KindText(kind);
    return r;
}

inline ReadResult ReadLayout(const TiffLayout& tiff, Order order) {
    return ReadBytes(BuildJpeg(tiff, order));
}

inline const std::string kOlympusHeader("OLYMP\0\1\0", 8);

// A maker note behind a maker and model in IFD0, with a light source of 1 in the EXIF directory.
inline TiffLayout MakerLayout(const std::string& maker, const std::string& model,
                              MakerNoteLayout note) {
    TiffLayout tiff;
    tiff.ifd0 = {E("010F ascii " + maker), E("0110 ascii " + model)};
    tiff.exif = {E("9208 short 1"), MakerNote()};
    tiff.makerNote = std::move(note);
    return tiff;
}

inline std::string Nul(const std::string& s) {
    return s + std::string(1, '\0');
}

// Runs a case in both byte orders.
class BothOrders : public ::testing::TestWithParam<Order> {};

// "<case name>_II" / "_MM" for a table of cases (each with a name) run in both byte orders.
template <class Case>
std::string CaseAndOrderName(const ::testing::TestParamInfo<std::tuple<Case, Order>>& info) {
    return std::string(std::get<0>(info.param).name) +
           (std::get<1>(info.param) == Order::II ? "_II" : "_MM");
}

inline std::string OrderName(const ::testing::TestParamInfo<Order>& info) {
    return info.param == Order::II ? "II" : "MM";
}

} // namespace kamelune::test
