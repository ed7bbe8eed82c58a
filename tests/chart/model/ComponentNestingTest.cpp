// Components within components in a chart archive: label blocks that hold label blocks, compound
// components that hold compound components. A chart nested as deep as an archive allows loads and
// draws; one nested deeper (a crafted archive of a few megabytes nests over ten thousand deep) is
// refused as a bad archive with nothing left behind.
#include "chart/model/CompoundComponent.h"
#include "chart/model/Graph.h"
#include "chart/model/LabelBlock.h"

#include "ChartTestSupport.h"
#include "tests/tools/HeapCount.h"
#include "tests/tools/StoredBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {
// How one kind of container is stored: the part its class writes before its list of children (storeHead
// on an empty container), and the whole of an empty one.
struct Container
{
    const char* name;
    std::function<QVGraphComponent*()> make;
    std::function<void(QVGraphComponent&, CArchive&)> storeHead;
    std::function<QVGraphComponent*(QVGraphComponent&)> firstChild;
};

const Container kContainers[] = {
    {"label blocks",
     [] { return new QVGraphLabelBlock; },
     [](QVGraphComponent& c, CArchive& ar) { static_cast<QVGraphLabelBlock&>(c).QVGraphLabel::Serialize(ar); },
     [](QVGraphComponent& c) -> QVGraphComponent* { return static_cast<QVGraphLabelBlock&>(c).GetLabel(-1); }},
    {"compound components",
     [] { return new QVGCompoundComponent; },
     [](QVGraphComponent& c, CArchive& ar) { static_cast<QVGCompoundComponent&>(c).QVGraphComponent::Serialize(ar); },
     [](QVGraphComponent& c) -> QVGraphComponent* {
         CObList* pChildren = static_cast<QVGCompoundComponent&>(c).GetComponentList();
         return pChildren->IsEmpty() ? nullptr : static_cast<QVGraphComponent*>(pChildren->GetHead());
     }},
};

// The archive of a chart whose one component holds one of its kind, which holds one, nDepth deep, as
// the writer stores it: the chart's component count, then each level's class tag, its head, a count of
// one and the next level, the innermost with a count of none, then each level's tail from the inside
// out, then the rest of the chart. Made from the pieces, as a writer would recurse as deep as the
// reader.
std::string NestedChart(const Container& container, size_t nDepth)
{
    std::unique_ptr<QVGraphComponent> pEmpty(container.make());
    const std::string head = StoredBytes([&](CArchive& ar) { container.storeHead(*pEmpty, ar); });
    const std::string whole = StoredBytes([&](CArchive& ar) { pEmpty->Serialize(ar); });
    const std::string object = StoredBytes([&](CArchive& ar) { ar << static_cast<CObject*>(pEmpty.get()); });
    const std::string noChildren("\x00\x00", 2);
    const std::string oneChild("\x01\x00", 2);
    const std::string classTag("\x01\x80", 2);   // the class stored first, index 1
    const std::string classHeader = object.substr(0, object.size() - whole.size());
    const std::string tail = whole.substr(head.size() + noChildren.size());

    QVGraph empty;
    const std::string chart = StoredBytes([&](CArchive& ar) { empty.Serialize(ar); });

    std::string bytes = oneChild + classHeader;
    bytes.reserve(nDepth * (classTag.size() + whole.size()) + chart.size() + classHeader.size());
    for (size_t i = 1; i < nDepth; ++i)
        bytes += head + oneChild + classTag;
    bytes += whole;
    for (size_t i = 1; i < nDepth; ++i)
        bytes += tail;
    bytes += chart.substr(noChildren.size());
    return bytes;
}

// Loads the bytes into the chart; the cause of the archive exception, -1 without one.
int LoadCause(QVGraph& chart, const std::string& bytes)
{
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    try {
        CArchive ar(&file, CArchive::load);
        chart.Serialize(ar);
        ar.Close();
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}
}  // namespace

TEST(ComponentNesting, AChartNestedAsDeepAsAnArchiveAllowsLoadsAndDraws)
{
    for (const Container& container : kContainers) {
        SCOPED_TRACE(container.name);
        QVGraph chart;
        ASSERT_EQ(-1, LoadCause(chart, NestedChart(container, CArchive::nMaxLoadNesting)));
        ASSERT_EQ(1, chart.GetComponentList()->GetCount());
        size_t nDepth = 0;
        for (QVGraphComponent* p = static_cast<QVGraphComponent*>(chart.GetComponentList()->GetHead()); p != nullptr;
             p = container.firstChild(*p)) {
            EXPECT_EQ(&chart, p->GetChart());
            ++nDepth;
        }
        EXPECT_EQ(size_t(CArchive::nMaxLoadNesting), nDepth);
        CMemoryCanvas canvas(200, 150);
        chart.Draw(&canvas.dc, nullptr);
    }
}

TEST(ComponentNesting, AChartNestedDeeperIsRefusedAndFreed)
{
    for (const Container& container : kContainers) {
        SCOPED_TRACE(container.name);
        // Once, for what a first load keeps for good (class records, caches).
        {
            QVGraph chart;
            LoadCause(chart, NestedChart(container, 2));
        }
        const std::string oneTooDeep = NestedChart(container, CArchive::nMaxLoadNesting + 1);
        // Over ten thousand levels: deeper than the reader's stack reaches.
        const std::string megabytes =
            NestedChart(container, 4 * 1024 * 1024 / (oneTooDeep.size() / CArchive::nMaxLoadNesting));
        ASSERT_GT(megabytes.size(), 3500u * 1024);
        const long long nBlocksBefore = CountHeap().blocks;
        for (const std::string* pBytes : {&oneTooDeep, &megabytes}) {
            QVGraph chart;
            EXPECT_EQ(int(CArchiveException::genericException), LoadCause(chart, *pBytes)) << pBytes->size() << " bytes";
            EXPECT_TRUE(chart.GetComponentList()->IsEmpty());
        }
        EXPECT_LT(CountHeap().blocks - nBlocksBefore, 16);
    }
}
