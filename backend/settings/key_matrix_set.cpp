#include "backend/settings/key_matrix_set.h"

#include "backend/settings/setting_values.h"

namespace keymatrix {

namespace {

// Mode byte of a press-gun switch in matrices 1..4, by the mode the page
// chose: 4 loop switch, 5 two-gun loop, 6 three-gun loop. Other modes are
// sent as they are in every matrix.
struct ModeRow
{
    uchar mode;
    std::array<uchar, 4> perMatrix;
};

constexpr std::array<ModeRow, 3> kModeRows{{
    {4, {1, 0, 0, 0}},
    {5, {0, 2, 1, 0}},
    {6, {0, 2, 3, 1}},
}};

} // namespace

SlotRecord slotRecordFrom(const QVariantList &record)
{
    return {settingvalues::byteAt(record, 2), settingvalues::byteAt(record, 3)};
}

Matrix fromPage(const QVariantList &src64)
{
    Matrix m{};
    for (int i = 0; i < kBytes; ++i)
        m[size_t(i)] = settingvalues::byteAt(src64, i);
    return m;
}

bool hasPressGunKey(const Matrix &matrix)
{
    for (int e = 0; e < kEntries; ++e) {
        if (matrix[size_t(4 * e)] == kPressGunKind)
            return true;
    }
    return false;
}

QList<Matrix> buildMatrices(const Matrix &m1, const std::array<SlotRecord, 3> &gunSlots)
{
    if (!hasPressGunKey(m1))
        return {m1};

    QList<Matrix> matrices(4, m1);
    for (int e = 0; e < kEntries; ++e) {
        const size_t at = size_t(4 * e);
        if (m1[at] != kPressGunKind)
            continue;
        for (const ModeRow &row : kModeRows) {
            if (m1[at + 3] != row.mode)
                continue;
            for (int k = 0; k < 4; ++k)
                matrices[k][at + 3] = row.perMatrix[size_t(k)];
        }
    }
    for (int slot = 0; slot < 3; ++slot) {
        Matrix &m = matrices[slot + 1];
        m[0] = kSlotHeaderKind;
        m[1] = uchar(slot);
        m[2] = gunSlots[size_t(slot)].firePeriod;
        m[3] = gunSlots[size_t(slot)].fireTime;
    }
    return matrices;
}

} // namespace keymatrix
