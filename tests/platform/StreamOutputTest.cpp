#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/StreamOutput.h"

using namespace tarnwick::platform;

// A reader that made its pipe non-blocking (as some shells and pagers do) and reads slowly: the
// writer waits for room instead of failing at the first full pipe, and every byte arrives.
TEST(StreamOutput, AFullNonBlockingPipeIsWaitedForUntilEveryByteIsWritten) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::fcntl(ends[1], F_SETFL, ::fcntl(ends[1], F_GETFL) | O_NONBLOCK), 0);
    std::vector<std::uint8_t> data(1 << 20);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }

    std::vector<std::uint8_t> received;
    std::thread reader([&] {
        std::uint8_t block[4096];
        for (;;) {
            const ssize_t count = ::read(ends[0], block, sizeof block);
            if (count <= 0) {
                return;
            }
            received.insert(received.end(), block, block + count);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    auto output = StreamOutput::named("/proc/self/fd/" + std::to_string(ends[1]));
    ASSERT_TRUE(output.has_value());
    const bool written = output->write(data);
    ::close(ends[1]);
    reader.join();
    ::close(ends[0]);
    EXPECT_TRUE(written) << output->reason();
    EXPECT_EQ(received, data);
}
