#pragma once

#include "api/IMyScrollInfo.h"
#include "paint/PageScreen.h"

namespace notaline {

// The page view's scrolling through the control's MyScrollInfo object. A failed call reads 0.
class ScrollInfoView : public PageScroll {
public:
    explicit ScrollInfoView(IMyScrollInfo* info) : info_(info) {}

    int32_t PageSpaceX() override { return Long(&IMyScrollInfo::get_PageSpaceX); }
    int32_t PageSpaceY() override { return Long(&IMyScrollInfo::get_PageSpaceY); }
    int32_t ClientWidth() override { return Long(&IMyScrollInfo::get_ClientWidth); }
    int32_t ClientHeight() override { return Long(&IMyScrollInfo::get_ClientHeight); }
    int32_t FirstVisiblePage() override { return Long(&IMyScrollInfo::get_FristVisiblelPageY); }
    int32_t SecondVisiblePage() override { return Long(&IMyScrollInfo::get_SecondVisiblelPageY); }
    tessaly::Fixed FirstVisiblePageScrollX() override { return Cy(&IMyScrollInfo::get_FristVisiblelPageScrollX); }
    tessaly::Fixed FirstVisiblePageScrollY() override { return Cy(&IMyScrollInfo::get_FristVisiblelPageScrollY); }
    tessaly::Fixed FirstPageScrollX() override { return Cy(&IMyScrollInfo::get_FristPageScrollX); }
    tessaly::Fixed FirstPageScrollY() override { return Cy(&IMyScrollInfo::get_FristPageScrollY); }
    void EnsureVisible(tessaly::Fixed l, tessaly::Fixed t, tessaly::Fixed r, tessaly::Fixed b) override {
        info_->EnsureVisible(Currency(l), Currency(t), Currency(r), Currency(b));
    }
    void ScrollToOrigin() override {
        info_->put_FristPageScrollX(Currency(0));
        info_->put_FristPageScrollY(Currency(0));
    }
    void InitPageScrollInfo(int32_t cx, int32_t cy, int32_t countX, int32_t countY) override {
        info_->InitPageScrollInfo(cx, cy, countX, countY);
    }

private:
    static CY Currency(tessaly::Fixed f) {
        CY c;
        c.int64 = f;
        return c;
    }
    int32_t Long(HRESULT (STDMETHODCALLTYPE IMyScrollInfo::*get)(LONG*)) {
        LONG v = 0;
        return SUCCEEDED((info_->*get)(&v)) ? v : 0;
    }
    tessaly::Fixed Cy(HRESULT (STDMETHODCALLTYPE IMyScrollInfo::*get)(CY*)) {
        CY v{};
        return SUCCEEDED((info_->*get)(&v)) ? v.int64 : 0;
    }

    IMyScrollInfo* info_;
};

}  // namespace notaline
