#include "platform/linux/HidrawHandle.h"

#include <algorithm>
#include <cerrno>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace vexmo {

namespace {
constexpr size_t kMaxReportBytes = 4096;
// Reports for a collection nobody reads are dropped past this many.
constexpr size_t kMaxMailbox = 64;

void Signal(int eventFd) {
    const uint64_t one = 1;
    (void)!::write(eventFd, &one, sizeof one);
}

void Drain(int eventFd) {
    uint64_t count = 0;
    (void)!::read(eventFd, &count, sizeof count);
}
} // namespace

HidrawHandle::HidrawHandle(int fd, HidrawNode node) : fd_(fd), node_(std::move(node)) {}

HidrawHandle::~HidrawHandle() {
    ::close(fd_);
}

bool HidrawHandle::SetFeature(const uint8_t* report, size_t length) {
    if (report == nullptr || length == 0 || length > kMaxReportBytes) {
        return false;
    }
    // The ioctl takes a non-const buffer; keep the caller's untouched.
    std::vector<uint8_t> copy(report, report + length);
    return ::ioctl(fd_, HIDIOCSFEATURE(length), copy.data()) >= 0;
}

bool HidrawHandle::GetFeature(uint8_t* report, size_t length) {
    if (report == nullptr || length == 0 || length > kMaxReportBytes) {
        return false;
    }
    return ::ioctl(fd_, HIDIOCGFEATURE(length), report) > 0;
}

void HidrawHandle::AddWaiter(size_t collection, int wakeFd) {
    std::lock_guard lock(mutex_);
    waiters_.emplace(collection, wakeFd);
}

void HidrawHandle::RemoveWaiter(size_t collection, int wakeFd) {
    std::lock_guard lock(mutex_);
    auto [first, last] = waiters_.equal_range(collection);
    for (auto it = first; it != last; ++it) {
        if (it->second == wakeFd) {
            waiters_.erase(it);
            return;
        }
    }
}

int HidrawHandle::ReadInput(size_t collection, uint8_t* report, size_t length, int wakeFd,
                            const std::atomic<bool>& cancelled) {
    std::vector<uint8_t> buffer(kMaxReportBytes);
    for (;;) {
        if (cancelled) {
            return -1;
        }
        {
            std::lock_guard lock(mutex_);
            auto& mailbox = mailboxes_[collection];
            if (!mailbox.empty()) {
                const std::vector<uint8_t> next = std::move(mailbox.front());
                mailbox.pop_front();
                return CopyOut(next, report, length);
            }
            if (gone_) {
                return -1;
            }
        }
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (fds[1].revents & POLLIN) {
            Drain(wakeFd);
            continue; // a cancel, or a report left in our mailbox by another reader
        }
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            MarkGone();
            return -1;
        }
        const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue; // another reader of this node took it
        }
        if (n <= 0) {
            MarkGone();
            return -1;
        }
        std::vector<uint8_t> got(buffer.begin(), buffer.begin() + n);
        if (!node_.descriptor.usesReportIds) {
            got.insert(got.begin(), 0); // the class driver's view: report ID 0 in front
        }
        const std::optional<size_t> owner = CollectionOf(got);
        if (owner == collection) {
            return CopyOut(got, report, length);
        }
        if (owner) {
            Deliver(*owner, std::move(got));
        }
    }
}

std::optional<size_t> HidrawHandle::CollectionOf(const std::vector<uint8_t>& report) const {
    const uint8_t id = report.empty() ? 0 : report[0];
    const auto& collections = node_.descriptor.collections;
    for (size_t i = 0; i < collections.size(); ++i) {
        const auto& ids = collections[i].inputReportIds;
        if (std::find(ids.begin(), ids.end(), id) != ids.end()) {
            return i;
        }
    }
    return std::nullopt;
}

void HidrawHandle::MarkGone() {
    std::lock_guard lock(mutex_);
    gone_ = true;
    for (const auto& [collection, fd] : waiters_) {
        Signal(fd);
    }
}

bool HidrawHandle::IsGone() {
    pollfd probe = {fd_, POLLIN, 0};
    if (::poll(&probe, 1, 0) > 0 && (probe.revents & (POLLERR | POLLHUP | POLLNVAL))) {
        MarkGone();
    }
    std::lock_guard lock(mutex_);
    return gone_;
}

void HidrawHandle::Deliver(size_t collection, std::vector<uint8_t> report) {
    std::lock_guard lock(mutex_);
    auto& mailbox = mailboxes_[collection];
    if (mailbox.size() < kMaxMailbox) {
        mailbox.push_back(std::move(report));
    }
    auto [first, last] = waiters_.equal_range(collection);
    for (auto it = first; it != last; ++it) {
        Signal(it->second);
    }
}

int HidrawHandle::CopyOut(const std::vector<uint8_t>& from, uint8_t* to, size_t length) {
    const size_t copied = std::min(length, from.size());
    std::copy_n(from.begin(), copied, to);
    return static_cast<int>(copied);
}

} // namespace vexmo
