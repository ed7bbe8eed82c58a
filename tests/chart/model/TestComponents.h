// Components made for the tests: they record how they were drawn, throw on demand or add components.
#pragma once

#include "chart/model/CompoundComponent.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphComponent.h"
#include "chart/model/GraphException.h"

#include <vector>

class CRecordingComponent : public QVGraphComponent
{
public:
    std::vector<int> passes;     // the visible flag at each drawing
    int customBorders = 0;
    CRecordingComponent() { GetStyle()->SetFillType(0); }     // see-through: a component fills white by default
    void DrawContent() override { passes.push_back(m_bVisible); }
    void DrawCustomBorder(const CRect&) override { ++customBorders; }
};

// Raises a chart error (or, with a negative code, a framework exception) while it draws.
class CThrowingComponent : public QVGraphComponent
{
public:
    explicit CThrowingComponent(int code) : m_code(code) {}
    bool armed = true;
    void DrawContent() override
    {
        if (!armed)
            return;
        if (m_code >= 0)
            RaiseChartError(m_code);
        AfxThrowNotSupportedException();
    }

private:
    int m_code;
};

// Adds a component to the chart the first time it draws.
class CAddingComponent : public QVGraphComponent
{
public:
    explicit CAddingComponent(QVGraphComponent* pToAdd) : m_pToAdd(pToAdd) {}
    void DrawContent() override
    {
        if (m_pToAdd != nullptr) {
            GetChart()->AddComponent(m_pToAdd);
            m_pToAdd = nullptr;
        }
    }

private:
    QVGraphComponent* m_pToAdd;
};

// Starts a draw pass of another chart from inside its own drawing.
class CNestedDrawComponent : public QVGraphComponent
{
public:
    explicit CNestedDrawComponent(QVGraph* pOther) : m_pOther(pOther) {}
    void DrawContent() override { m_pOther->Draw(GetDC(), nullptr); }

private:
    QVGraph* m_pOther;
};
