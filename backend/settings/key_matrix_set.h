#pragma once

#include "device/command_blocks.h"

#include <QList>
#include <QVariantList>
#include <array>

using uchar = unsigned char;

// The mouse's key matrices as ui_12H_SetKeyMatrix sends them. Matrix 1 is
// the button page's assignment. When a key is a press-gun switch (kind 08H)
// the mouse also needs one matrix per gun slot (indexes 2..4): the same keys
// with the switch's mode rewritten for that matrix, and entry 0 replaced by
// the slot's header [0BH, slot, fire period, fire time].
namespace keymatrix {

constexpr int kBytes = mouseblock::kKeyMatrixBytes;
constexpr int kEntries = kBytes / 4;
constexpr uchar kPressGunKind = 0x08;
constexpr uchar kSlotHeaderKind = 0x0B;

using Matrix = std::array<uchar, kBytes>;

// The press-gun slot record the headers are made of; absent values are 0.
struct SlotRecord
{
    uchar fireTime = 0;
    uchar firePeriod = 0;
};

// [game, gun, fire time, fire period] as the gun files keep it.
SlotRecord slotRecordFrom(const QVariantList &record);

// Matrix 1 from the page's 64 values (missing values are 0).
Matrix fromPage(const QVariantList &src64);

bool hasPressGunKey(const Matrix &matrix);

// The matrices to send, in index order starting at 1: one without a
// press-gun key, four with one.
QList<Matrix> buildMatrices(const Matrix &m1, const std::array<SlotRecord, 3> &gunSlots);

} // namespace keymatrix
