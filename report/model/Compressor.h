#pragma once
// The compressor that prepared-report files consult. This system compresses
// nothing: both operations leave the output as it is.

class TStream;

class TrqCompressor {
public:
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    virtual ~TrqCompressor() = default;
    virtual void Compress(TStream& input, TStream& output) {}
    virtual void DeCompress(TStream& input, TStream& output) {}

private:
    bool enabled_ = false;
};

// The engine's compressor, which prepared-report files consult (report/pages).
TrqCompressor& rqCompressor();
