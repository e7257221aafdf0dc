// The wait cursor of a dialog model's view for one blocking step (a query, an enumeration, a
// check), taken down again however the step ends.
#pragma once

// TView has ShowWaitCursor(bool).
template <class TView>
class CWaitScope {
public:
    explicit CWaitScope(TView& view) : m_view(view) { m_view.ShowWaitCursor(true); }
    ~CWaitScope() { m_view.ShowWaitCursor(false); }
    CWaitScope(const CWaitScope&) = delete;
    CWaitScope& operator=(const CWaitScope&) = delete;

private:
    TView& m_view;
};
