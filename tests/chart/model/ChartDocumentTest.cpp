// The chart document: pseudo paths, command dispatch between master and dependents, data commands on
// the embedded chart, data blocks, and the archive.
#include "chart/model/ComDoc.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphDoc.h"

#include "ChartTestSupport.h"
#include "framework/docview/DocTemplate.h"
#include "framework/docview/View.h"
#include "framework/win/SeamRecorders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
// Records what reaches the document's hooks and every file it asks the framework for.
class CRecordingDoc : public CGraphDoc
{
public:
    int newDocuments = 0;
    int commandOnes = 0;
    int dataCommands = 0;
    std::vector<std::string> filesAsked;
    std::vector<UINT> userCommands;
    BWKComDoc* pEchoTo = nullptr;   // a document its data commands are sent on to
    int echoResult = -1;

    CRecordingDoc() { m_bAutoDelete = FALSE; }
    BOOL OnNewDocument() override
    {
        ++newDocuments;
        return CGraphDoc::OnNewDocument();
    }
    int OnCommandOne() override
    {
        ++commandOnes;
        return 7;
    }
    int OnUserCommand(UINT nType, WPARAM, LPARAM) override
    {
        userCommands.push_back(nType);
        return 5;
    }
    int OnDataCommand(WPARAM nCode, LPARAM lData) override
    {
        ++dataCommands;
        if (pEchoTo != nullptr)
            echoResult = pEchoTo->DispatchCommand(commandData, nCode, lData);
        return nCode == 99 ? 2 : CGraphDoc::OnDataCommand(nCode, lData);
    }
    CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) override
    {
        filesAsked.push_back(lpszFileName);
        return CGraphDoc::GetFile(lpszFileName, nOpenFlags, pError);
    }
};

class CCountingView : public CView
{
public:
    int updates = 0;
    void OnDraw(CDC*) override {}
    void OnUpdate(CView*, LPARAM, CObject*) override { ++updates; }
};

// Global memory holding the bytes as they are, without a terminator unless they carry one.
HGLOBAL GlobalText(const std::string& bytes)
{
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
    std::memcpy(::GlobalLock(hBlock), bytes.data(), bytes.size());
    ::GlobalUnlock(hBlock);
    return hBlock;
}

// A text command record with its text.
std::vector<char> TextRecord(int nGroup, int nIndex, const char* text)
{
    std::vector<char> bytes(offsetof(QVGTextCommandRecord, szText) + std::strlen(text) + 1, '\0');
    QVGTextCommandRecord* pRecord = reinterpret_cast<QVGTextCommandRecord*>(bytes.data());
    pRecord->nGroup = nGroup;
    pRecord->nIndex = nIndex;
    std::strcpy(pRecord->szText, text);
    return bytes;
}

int Highlight(QVGraph& chart, int nIndex, int nGroup)
{
    return (chart.FindItem(nIndex, nGroup)->GetStyle()->m_nFlags >> 8) & 0xF;
}
}  // namespace

TEST(ChartDocument, PseudoPathsOpenNewDocumentsWithoutFiles)
{
    struct Case
    {
        const char* path;
        int commandOnes;
        bool fileAsked;
        BOOL result;
    };
    const Case cases[] = {
        {"BWK++ 1", 1, false, TRUE},
        {"BWK++ 1 and more", 1, false, TRUE},
        {"BWK++ 2", 0, false, TRUE},
        {"BWK++ x", 0, false, TRUE},
        {"BWK++ ", 0, false, TRUE},
        {"BWK++", 0, true, FALSE},   // five characters: a file name like any other, and there is none
    };
    for (const Case& c : cases) {
        CRecordingMessageBox box;
        CScopedMessageBoxSeam seam(&box);
        CRecordingDoc doc;
        EXPECT_EQ(c.result, doc.OnOpenDocument(c.path)) << c.path;
        EXPECT_EQ(c.commandOnes, doc.commandOnes) << c.path;
        EXPECT_EQ(c.fileAsked ? 0 : 1, doc.newDocuments) << c.path;
        EXPECT_EQ(c.fileAsked ? 1u : 0u, doc.filesAsked.size()) << c.path;
        EXPECT_EQ(c.fileAsked, !box.calls.empty()) << c.path;   // the framework reports the missing file
    }
}

TEST(ChartDocument, PseudoPathIsNotStoredButGivesTheDefaultTitle)
{
    CMultiDocTemplate docTemplate(0, RUNTIME_CLASS(CGraphDoc), nullptr, nullptr);
    docTemplate.m_strDocStrings = "\nChart\nChart";
    CRecordingDoc* pDoc = new CRecordingDoc;
    docTemplate.AddDocument(pDoc);
    pDoc->SetPathName("BWK++ 1", FALSE);
    EXPECT_EQ(CString(""), pDoc->GetPathName());
    EXPECT_EQ(CString("Chart1"), pDoc->GetTitle());
    // Five characters are a path.
    pDoc->SetPathName("BWK++", FALSE);
    EXPECT_EQ(CString("BWK++"), pDoc->GetTitle());
    EXPECT_EQ(CString("BWK++"), pDoc->GetPathName().Right(5));
    EXPECT_GT(pDoc->GetPathName().GetLength(), 5);
    delete pDoc;
}

TEST(ChartDocument, DispatchByCommandType)
{
    CRecordingDoc doc;
    EXPECT_EQ(1, doc.DispatchCommand(BWKComDoc::commandNothing, 0, 0));
    EXPECT_EQ(7, doc.DispatchCommand(BWKComDoc::commandOne, 0, 0));
    EXPECT_EQ(2, doc.DispatchCommand(BWKComDoc::commandData, 99, 0));
    EXPECT_EQ(0, doc.DispatchCommand(4, 0, 0));
    EXPECT_EQ(0, doc.DispatchCommand(0x7FFF, 0, 0));
    EXPECT_EQ(5, doc.DispatchCommand(0x8000, 1, 2));
    EXPECT_EQ((std::vector<UINT>{0x8000}), doc.userCommands);
    EXPECT_EQ(1, doc.DispatchCommand(BWKComDoc::commandDataBlock, 0, 0));
    EXPECT_EQ(7, doc.NewAndDispatch(BWKComDoc::commandOne, 0, 0));
    EXPECT_EQ(1, doc.newDocuments);
}

TEST(ChartDocument, MasterAndDependentsPassCommandsOnceAndForgetEachOther)
{
    CRecordingDoc master;
    CRecordingDoc* pFirst = new CRecordingDoc;
    CRecordingDoc* pSecond = new CRecordingDoc;
    CDocument plain;   // not a linked document: broadcasts pass it by
    for (CRecordingDoc* pDependent : {pFirst, pSecond}) {
        master.AddDependent(pDependent);
        pDependent->SetMaster(&master);
    }
    master.AddDependent(&plain);
    EXPECT_EQ(3, master.GetDependentCount());

    // The broadcast's results are or-ed: 2 from code 99, 0 from an unknown code.
    pSecond->pEchoTo = nullptr;
    EXPECT_EQ(2, master.BroadcastCommand(99, 0));
    EXPECT_EQ(1, pFirst->dataCommands);
    EXPECT_EQ(1, pSecond->dataCommands);
    EXPECT_EQ(0, master.BroadcastCommand(12, 0));

    // A command sent to the master that the master sends back finds the sender busy: it ends there.
    master.pEchoTo = pFirst;
    const int before = pFirst->dataCommands;
    EXPECT_EQ(2, pFirst->SendToMaster(99, 0));
    EXPECT_EQ(1, master.echoResult);
    EXPECT_EQ(before, pFirst->dataCommands);   // not run again
    EXPECT_FALSE(pFirst->IsBusy());
    CRecordingDoc lonely;
    EXPECT_EQ(0, lonely.SendToMaster(99, 0));

    // Going, a dependent leaves its master's list; a master going leaves its dependents masterless.
    delete pFirst;
    EXPECT_EQ(2, master.GetDependentCount());
    POSITION pos = master.GetFirstDependentPosition();
    EXPECT_EQ(pSecond, master.GetNextDependent(pos));
    EXPECT_EQ(&plain, master.GetNextDependent(pos));
    EXPECT_EQ(nullptr, pos);
    master.RemoveDependent(&plain);
    {
        CRecordingDoc* pMaster = new CRecordingDoc;
        pMaster->AddDependent(pSecond);
        pSecond->SetMaster(pMaster);
        delete pMaster;
    }
    EXPECT_EQ(nullptr, pSecond->GetMaster());
    master.RemoveDependent(pSecond);
    delete pSecond;
}

TEST(ChartDocument, DataCommandsChangeTheChartAndUpdateTheViews)
{
    CRecordingDoc doc;
    CCountingView view;
    doc.AddView(&view);
    QVGraph& chart = doc.GetChart();
    chart.SetValue(0, 0, 1.0);
    chart.SetValue(1, 0, 2.0);
    chart.SetGroupText(0, "old", FALSE);
    chart.GetGroup(0, FALSE)->SetAnnotation(2, "second");
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    chart.AddComponent(pDisplay);

    std::vector<char> itemText = TextRecord(0, 1, "point B");
    EXPECT_EQ(1, doc.OnDataCommand(CGraphDoc::dataItemText, LPARAM(itemText.data())));
    EXPECT_EQ(CString("point B"), chart.GetItemText(0, 1, 1));
    std::vector<char> groupText = TextRecord(0, 0, "series A");
    EXPECT_EQ(1, doc.OnDataCommand(CGraphDoc::dataGroupText, LPARAM(groupText.data())));
    EXPECT_EQ(CString("series A"), chart.GetGroupText(0, 1));
    EXPECT_EQ(CString(""), chart.GetGroupText(0, 2));   // cleared first
    EXPECT_EQ(2, view.updates);

    QVGValueCommandRecord value = {1, 3, 2.5, 0};
    EXPECT_EQ(1, doc.OnDataCommand(CGraphDoc::dataValue, LPARAM(&value)));
    EXPECT_DOUBLE_EQ(2.5, chart.GetItemValue(3, 1));
    EXPECT_FALSE(chart.FindItem(3, 1)->IsNull());
    value.bNull = 1;
    value.nIndex = 5;
    EXPECT_EQ(1, doc.OnDataCommand(CGraphDoc::dataValue, LPARAM(&value)));
    EXPECT_EQ(6, chart.GetGroupSize(1));
    EXPECT_TRUE(chart.FindItem(5, 1)->IsNull());
    EXPECT_EQ(4, view.updates);

    // Index in the low word, group in the high word.
    EXPECT_EQ(1, doc.OnDataCommand(CGraphDoc::dataHighlight, MAKELONG(1, 0)));
    EXPECT_EQ(1, Highlight(chart, 1, 0));
    EXPECT_EQ(1, doc.OnDataCommand(CGraphDoc::dataUnhighlight, MAKELONG(1, 0)));
    EXPECT_EQ(0, Highlight(chart, 1, 0));
    // A group beyond the last changes nothing, and still updates the views.
    EXPECT_EQ(1, doc.OnDataCommand(CGraphDoc::dataHighlight, MAKELONG(0, 9)));
    EXPECT_EQ(2, chart.GetGroupCount());
    EXPECT_EQ(7, view.updates);

    // Limits of the n-th display (high word), the value a signed low word; no update.
    EXPECT_EQ(1, doc.OnDataCommand(CGraphDoc::dataMinGroup, MAKELONG(1, 0)));
    EXPECT_EQ(1, doc.OnDataCommand(CGraphDoc::dataMaxGroup, MAKELONG(0xFFFF, 0)));
    EXPECT_EQ(1, doc.OnDataCommand(CGraphDoc::dataMinIndex, MAKELONG(2, 0)));
    EXPECT_EQ(1, doc.OnDataCommand(CGraphDoc::dataMaxIndex, MAKELONG(4, 0)));
    int minIndex = 0, maxIndex = 0, minGroup = 0, maxGroup = 0;
    pDisplay->GetDataRange(minIndex, maxIndex, minGroup, maxGroup);
    EXPECT_EQ(1, minGroup);
    EXPECT_EQ(-1, maxGroup);
    EXPECT_EQ(2, minIndex);
    EXPECT_EQ(4, maxIndex);
    EXPECT_EQ(7, view.updates);

    for (WPARAM code : {WPARAM(0), WPARAM(3), WPARAM(5), WPARAM(12)}) {
        EXPECT_EQ(0, doc.OnDataCommand(code, 0)) << code;
    }
    // A record that addresses no item is refused rather than raising out of the command.
    QVGValueCommandRecord negative = {-1, 0, 1.0, 0};
    EXPECT_EQ(0, doc.OnDataCommand(CGraphDoc::dataValue, LPARAM(&negative)));
    EXPECT_EQ(7, view.updates);
    doc.RemoveView(&view);
}

TEST(ChartDocument, DataBlockReadsDataTextOrATemplateAndIsFreed)
{
    CRecordingDoc doc;
    // No terminator in the block: its text ends with the block.
    EXPECT_EQ(1, doc.OnDataBlock(nullptr, GlobalText("1,2\r\n3,4")));
    QVGraph& chart = doc.GetChart();
    EXPECT_EQ(2, chart.GetGroupCount());
    EXPECT_DOUBLE_EQ(4.0, chart.GetItemValue(1, 1));

    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "chart_document_" + std::to_string(::GetCurrentProcessId()) + ".qgt";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fputs("background 0 0 100 100 0 0 0 0 \r\n", f);
        std::fclose(f);
    }
    EXPECT_EQ(1, doc.OnDataBlock(path.c_str(), nullptr));
    ::DeleteFileA(path.c_str());
    EXPECT_EQ(1, int(chart.GetComponentList()->GetCount()));

    // The base document only frees the block.
    BWKComDoc base;
    base.m_bAutoDelete = FALSE;
    EXPECT_EQ(0, base.OnDataBlock(nullptr, GlobalText(std::string("5,6", 4))));
}

TEST(ChartDocument, ArchiveIsTheChartsArchive)
{
    CRecordingDoc source;
    source.GetChart().SetValue(2, 1, 7.5);
    source.GetChart().AddComponent(new QVGraphBackground);
    CRecordingDoc target;
    RoundTrip(source, target);
    EXPECT_DOUBLE_EQ(7.5, target.GetChart().GetItemValue(2, 1));
    EXPECT_EQ(1, int(target.GetChart().GetComponentList()->GetCount()));
}
