#pragma once
// The open file of one hidraw node, shared by every collection interface opened on it.
// Input reports of all collections arrive on the one fd; a reader that picks up a report of
// another collection leaves it in that collection's mailbox and wakes its readers.
#include "platform/linux/HidrawNode.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <vector>

namespace vexmo {

class HidrawHandle {
public:
    HidrawHandle(int fd, HidrawNode node);
    ~HidrawHandle();
    HidrawHandle(const HidrawHandle&) = delete;
    HidrawHandle& operator=(const HidrawHandle&) = delete;

    const HidrawNode& Node() const { return node_; }
    bool SetFeature(const uint8_t* report, size_t length);
    bool GetFeature(uint8_t* report, size_t length);
    // Blocks for the next input report of `collection`; -1 when the node is gone or `wakeFd`
    // (an eventfd of the caller's) reports a cancel via `cancelled`.
    int ReadInput(size_t collection, uint8_t* report, size_t length, int wakeFd,
                  const std::atomic<bool>& cancelled);
    // True once the device behind the node was removed (its number may already be reused).
    bool IsGone();
    void AddWaiter(size_t collection, int wakeFd);
    void RemoveWaiter(size_t collection, int wakeFd);

private:
    // The collection whose input report this is (by its report ID), or nullopt.
    std::optional<size_t> CollectionOf(const std::vector<uint8_t>& report) const;
    void Deliver(size_t collection, std::vector<uint8_t> report);
    void MarkGone();
    static int CopyOut(const std::vector<uint8_t>& from, uint8_t* to, size_t length);

    const int fd_;
    const HidrawNode node_;
    std::mutex mutex_;
    bool gone_ = false;
    std::map<size_t, std::deque<std::vector<uint8_t>>> mailboxes_;
    std::multimap<size_t, int> waiters_;
};

} // namespace vexmo
