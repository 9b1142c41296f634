#pragma once
// TPageControl / TTabSheet: pages with a tab each. A click on a tab (or Ctrl+Tab, or an
// arrow key on the focused tabs) asks OnChanging and then shows the page and fires
// OnChange; setting ActivePage or ActivePageIndex from the program fires nothing. A page
// whose TabVisible is off has no tab. A disabled page disables its controls, not its tab.

#include "plataforma/gui/kernel/controls.h"

#include <vector>

class TPageControl;
class QTabBar;

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* GetPageControl() const { return pageControl_; }
    // Puts the page in a page control (its parent), at the end.
    void SetPageControl(TPageControl* Value);
    int GetPageIndex() const;
    void SetPageIndex(int Value);
    // Position among the visible tabs, -1 without a tab.
    int GetTabIndex() const;
    bool GetTabVisible() const { return tabVisible_; }
    void SetTabVisible(bool Value);
    int GetImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value) { imageIndex_ = Value; }

protected:
    void Dispatch(TMessage& Message) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = -1;
};

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int GetPageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* GetPages(int Index) const;
    TTabSheet* GetActivePage() const { return activePage_; }
    // Fires nothing.
    void SetActivePage(TTabSheet* Value);
    int GetActivePageIndex() const;
    void SetActivePageIndex(int Value);
    // The active page's position among the visible tabs.
    int GetTabIndex() const;
    // The next or previous page with a tab, as Ctrl+Tab chooses it, with the events.
    void SelectNextPage(bool GoForward);
    TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    // The area the pages cover, in client coordinates.
    TRect GetDisplayRect() const;
    // The tab at a client point, -1 for none.
    int IndexOfTabAt(int X, int Y) const;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    virtual bool CanChange();
    virtual void Change();

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TControl* Page);
    void UpdateTabs();
    void PlacePages();
    // Shows a page without events.
    void ChangeActivePage(TTabSheet* Page);
    // A page chosen by the user: OnChanging, then the page and OnChange.
    void UserSelects(TTabSheet* Page);
    std::vector<TTabSheet*> VisibleTabs() const;
    QTabBar* TabBar() const;
    int TabsHeight() const;

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
};
