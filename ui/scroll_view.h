#pragma once

#include "ui/geometry.h"
#include "ui/view.h"

namespace kiro {

// A view whose subviews scroll within its frame over an area of contentSize.
class ScrollView : public View {
 public:
  // In points; a side no larger than the frame's does not scroll, unless a bounce flag says so.
  const Size& contentSize() const { return contentSize_; }
  void setContentSize(const Size& size) { update(contentSize_, size, ViewProperty::contentSize); }

  // Whether a drag that starts along one axis stays on it.
  bool isDirectionalLockEnabled() const { return directionalLockEnabled_; }
  void setDirectionalLockEnabled(bool enabled) { update(directionalLockEnabled_, enabled, ViewProperty::scrolling); }

  // Whether a vertical drag bounces even when the content is no taller than the frame.
  bool alwaysBounceVertical() const { return alwaysBounceVertical_; }
  void setAlwaysBounceVertical(bool bounces) { update(alwaysBounceVertical_, bounces, ViewProperty::scrolling); }

  // Whether a drag past an edge of the content bounces back.
  bool bounces() const { return bounces_; }
  void setBounces(bool bounces) { update(bounces_, bounces, ViewProperty::scrolling); }

  // Whether scrolling stops only at whole multiples of the frame.
  bool isPagingEnabled() const { return pagingEnabled_; }
  void setPagingEnabled(bool enabled) { update(pagingEnabled_, enabled, ViewProperty::scrolling); }

  bool isScrollEnabled() const { return scrollEnabled_; }
  void setScrollEnabled(bool enabled) { update(scrollEnabled_, enabled, ViewProperty::scrolling); }

  bool showsHorizontalScrollIndicator() const { return showsHorizontalScrollIndicator_; }
  void setShowsHorizontalScrollIndicator(bool shows) {
    update(showsHorizontalScrollIndicator_, shows, ViewProperty::scrolling);
  }

 private:
  Size contentSize_;
  bool directionalLockEnabled_ = false;
  bool alwaysBounceVertical_ = false;
  bool bounces_ = true;
  bool pagingEnabled_ = false;
  bool scrollEnabled_ = true;
  bool showsHorizontalScrollIndicator_ = true;
};

}  // namespace kiro
