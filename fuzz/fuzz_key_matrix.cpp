// The key matrices of the button page: any 64 values the page may pass
// (numbers of any size, text, nothing) and any three slot records of the
// press-gun file.
//
// Properties: one matrix without a press-gun key, four with one; matrix 1
// holds the page's values as bytes and matrices 2..4 start with their slot's
// header; every key keeps its bytes but for the mode of a press-gun key.

#include "backend/settings/key_matrix_set.h"
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

QVariant nextValue(FuzzedDataProvider &in)
{
    switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0:
        return in.ConsumeIntegral<uint8_t>();
    case 1:
        return in.ConsumeIntegral<qint64>();
    case 2:
        return in.ConsumeFloatingPoint<double>();
    case 3:
        return QString::fromUtf8(in.ConsumeRandomLengthString(8));
    default:
        return QString::number(in.ConsumeIntegral<int>());
    }
}

QVariantList nextList(FuzzedDataProvider &in, int maxLength)
{
    QVariantList list;
    const int length = in.ConsumeIntegralInRange(0, maxLength);
    for (int i = 0; i < length && in.remaining_bytes() > 0; ++i)
        list.append(nextValue(in));
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool started = (fuzzsupport::startQt(), true);
    (void)started;
    FuzzedDataProvider in(data, size);
    std::array<keymatrix::SlotRecord, 3> gunSlots{};
    for (auto &slot : gunSlots)
        slot = keymatrix::slotRecordFrom(nextList(in, 6));
    const QVariantList page = nextList(in, 80);

    const keymatrix::Matrix m1 = keymatrix::fromPage(page);
    const QList<keymatrix::Matrix> matrices = keymatrix::buildMatrices(m1, gunSlots);
    const bool pressGun = keymatrix::hasPressGunKey(m1);
    FUZZ_CHECK(matrices.size() == (pressGun ? 4 : 1));
    FUZZ_CHECK(keymatrix::fromPage(QVariantList(m1.begin(), m1.end())) == m1);

    for (qsizetype k = 0; k < matrices.size(); ++k) {
        const keymatrix::Matrix &m = matrices[k];
        if (k > 0) {
            FUZZ_CHECK(m[0] == keymatrix::kSlotHeaderKind && m[1] == k - 1);
            FUZZ_CHECK(m[2] == gunSlots[size_t(k - 1)].firePeriod);
            FUZZ_CHECK(m[3] == gunSlots[size_t(k - 1)].fireTime);
        }
        for (size_t at = k > 0 ? 4 : 0; at < m.size(); at += 4) {
            const bool modeMayChange = m1[at] == keymatrix::kPressGunKind;
            FUZZ_CHECK(m[at] == m1[at] && m[at + 1] == m1[at + 1] && m[at + 2] == m1[at + 2]);
            FUZZ_CHECK(modeMayChange || m[at + 3] == m1[at + 3]);
        }
    }
    return 0;
}
