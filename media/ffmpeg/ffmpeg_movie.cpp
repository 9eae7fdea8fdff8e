#include "media/ffmpeg/ffmpeg_movie.h"

#include "media/ffmpeg/ffmpeg_ptr.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace gp {

namespace {

constexpr int kMaxSide = 4096;                         // larger pictures are refused, pixels
constexpr int64_t kMaxPixels = int64_t{1} << 23;       // and larger than a 4K screen
constexpr double kMaxFrameRate = 240;                  // frames per second
constexpr int kMaxPacketsPerFrame = 4096;              // packets read without a picture: end
constexpr int kMaxSeeks = 100000;                      // seeks per open file
constexpr int kAudioRate = 22050;                      // the mixer's rate, samples per second
constexpr size_t kMaxAudioSamples = kAudioRate * 600;  // ten minutes of sound at most
constexpr int kIoBufferSize = 32768;                   // bytes

// Failures inside this file; turned into the error text at the API edge.
struct MovieError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string AvError(int code) {
  char buf[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, buf, sizeof buf);
  return buf;
}

// FFmpeg's own messages would reach standard error; the caller reports instead.
void SilenceLogging() {
  av_log_set_level(AV_LOG_QUIET);
}

using ffmpeg::CodecPtr;
using ffmpeg::FramePtr;
using ffmpeg::PacketPtr;
using ffmpeg::SwrPtr;
using ffmpeg::SwsPtr;

FramePtr NewFrame() {
  FramePtr f(av_frame_alloc());
  if (!f) throw MovieError("out of memory");
  return f;
}
PacketPtr NewPacket() {
  PacketPtr p(av_packet_alloc());
  if (!p) throw MovieError("out of memory");
  return p;
}

// The file behind a demuxer: reads and seeks with a budget, so a file whose
// structure sends the demuxer round in circles runs dry instead of hanging.
class BoundedFile {
 public:
  explicit BoundedFile(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {
    if (!file_) throw MovieError("cannot open the file");
    if (std::fseek(file_, 0, SEEK_END) != 0 || (size_ = std::ftell(file_)) < 0 ||
        std::fseek(file_, 0, SEEK_SET) != 0) {
      std::fclose(file_);
      throw MovieError("cannot read the file");
    }
    // Index and header passes may read parts twice; far more than that means a loop.
    budget_ = size_ * 8 + (4 << 20);
  }
  ~BoundedFile() { std::fclose(file_); }
  BoundedFile(const BoundedFile&) = delete;
  BoundedFile& operator=(const BoundedFile&) = delete;

  static int Read(void* opaque, uint8_t* buf, int size) {
    auto* f = static_cast<BoundedFile*>(opaque);
    if (size <= 0 || f->budget_ <= 0) return AVERROR_EOF;
    const size_t want = static_cast<size_t>(std::min<int64_t>(size, f->budget_));
    const size_t got = std::fread(buf, 1, want, f->file_);
    f->budget_ -= static_cast<int64_t>(got);
    return got == 0 ? AVERROR_EOF : static_cast<int>(got);
  }

  static int64_t Seek(void* opaque, int64_t offset, int whence) {
    auto* f = static_cast<BoundedFile*>(opaque);
    if (whence & AVSEEK_SIZE) return f->size_;
    if (++f->seeks_ > kMaxSeeks) return -1;
    whence &= ~AVSEEK_FORCE;
    int64_t target = offset;
    if (whence == SEEK_CUR) target += std::ftell(f->file_);
    if (whence == SEEK_END) target += f->size_;
    if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) return -1;
    if (target < 0 || target > f->size_) return -1;
    if (std::fseek(f->file_, static_cast<long>(target), SEEK_SET) != 0) return -1;
    return target;
  }

 private:
  std::FILE* file_;
  long size_ = 0;
  int64_t budget_ = 0;  // bytes that may still be read
  int seeks_ = 0;
};

// An opened AVI demuxer over a bounded file (RAII for the format context, its
// I/O context and the I/O buffer).
class Demuxer {
 public:
  explicit Demuxer(const std::string& path) : file_(path) {
    const AVInputFormat* avi = av_find_input_format("avi");
    if (!avi) throw MovieError("no AVI reader in this FFmpeg");
    auto* buffer = static_cast<uint8_t*>(av_malloc(kIoBufferSize));
    if (!buffer) throw MovieError("out of memory");
    io_ = avio_alloc_context(buffer, kIoBufferSize, 0, &file_, &BoundedFile::Read, nullptr,
                             &BoundedFile::Seek);
    if (!io_) {
      av_free(buffer);
      throw MovieError("out of memory");
    }
    AVFormatContext* fmt = avformat_alloc_context();
    if (!fmt) {
      FreeIo();
      throw MovieError("out of memory");
    }
    fmt->pb = io_;
    fmt->flags |= AVFMT_FLAG_CUSTOM_IO;
    // avformat_open_input frees the context itself when it fails.
    const int ret = avformat_open_input(&fmt, nullptr, avi, nullptr);
    if (ret < 0) {
      FreeIo();
      throw MovieError("not a readable AVI file (" + AvError(ret) + ")");
    }
    fmt_ = fmt;
  }
  ~Demuxer() {
    avformat_close_input(&fmt_);
    FreeIo();
  }
  Demuxer(const Demuxer&) = delete;
  Demuxer& operator=(const Demuxer&) = delete;

  AVFormatContext* fmt() const { return fmt_; }

  // The first stream of that kind, or -1. Every other stream is skipped.
  int Select(AVMediaType type) {
    int found = -1;
    for (unsigned i = 0; i < fmt_->nb_streams; ++i) {
      AVStream* s = fmt_->streams[i];
      if (found < 0 && s->codecpar->codec_type == type) {
        found = static_cast<int>(i);
      } else {
        s->discard = AVDISCARD_ALL;
      }
    }
    return found;
  }

 private:
  void FreeIo() {
    if (!io_) return;
    av_freep(&io_->buffer);
    avio_context_free(&io_);
  }

  BoundedFile file_;
  AVIOContext* io_ = nullptr;
  AVFormatContext* fmt_ = nullptr;
};

bool SizeAllowed(int64_t width, int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

// A single-threaded decoder for one stream; a video decoder refuses pictures
// larger than the largest allowed before it makes room for them.
CodecPtr OpenDecoder(const AVStream* stream) {
  const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
  if (!codec)
    throw MovieError("no decoder for its " +
                     std::string(avcodec_get_name(stream->codecpar->codec_id)) + " stream");
  CodecPtr ctx(avcodec_alloc_context3(codec));
  if (!ctx) throw MovieError("out of memory");
  if (avcodec_parameters_to_context(ctx.get(), stream->codecpar) < 0) {
    throw MovieError("bad stream parameters");
  }
  ctx->thread_count = 1;
  ctx->max_pixels = kMaxPixels;
  const int ret = avcodec_open2(ctx.get(), codec, nullptr);
  if (ret < 0) throw MovieError("cannot start its decoder (" + AvError(ret) + ")");
  return ctx;
}

// Pulls decoded frames out of one stream of a demuxer. Returns false at the
// end, on a read or decode error, or when too many packets pass without one.
bool ReceiveFrame(Demuxer& demux, int stream, AVCodecContext* ctx, AVPacket* pkt, AVFrame* frame,
                  bool& draining) {
  for (int guard = 0; guard < kMaxPacketsPerFrame; ++guard) {
    const int ret = avcodec_receive_frame(ctx, frame);
    if (ret == 0) return true;
    if (ret != AVERROR(EAGAIN) || draining) return false;
    if (av_read_frame(demux.fmt(), pkt) < 0) {
      draining = true;
      if (avcodec_send_packet(ctx, nullptr) < 0) return false;
      continue;
    }
    const bool ours = pkt->stream_index == stream;
    const int sent = ours ? avcodec_send_packet(ctx, pkt) : 0;
    av_packet_unref(pkt);
    if (sent < 0 && sent != AVERROR(EAGAIN)) return false;
  }
  return false;
}

// Decodes the first audio stream of the file, whole, to 22 050 Hz mono s16.
// A file without sound, or whose sound cannot be decoded, gives no samples;
// sound that breaks off keeps what came before.
std::vector<int16_t> DecodeAudio(const std::string& path) {
  std::vector<int16_t> out;
  Demuxer demux(path);
  const int stream = demux.Select(AVMEDIA_TYPE_AUDIO);
  if (stream < 0) return out;
  CodecPtr ctx = OpenDecoder(demux.fmt()->streams[stream]);
  const int channels = ctx->ch_layout.nb_channels;
  if (channels < 1 || channels > 8 || ctx->sample_rate < 1000 || ctx->sample_rate > 384000) {
    return out;
  }
  AVChannelLayout in_layout;
  if (ctx->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
    av_channel_layout_default(&in_layout, channels);
  } else if (av_channel_layout_copy(&in_layout, &ctx->ch_layout) < 0) {
    return out;
  }
  AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
  SwrContext* raw = nullptr;
  const int made = swr_alloc_set_opts2(&raw, &mono, AV_SAMPLE_FMT_S16, kAudioRate, &in_layout,
                                       ctx->sample_fmt, ctx->sample_rate, 0, nullptr);
  av_channel_layout_uninit(&in_layout);
  SwrPtr swr(raw);
  if (made < 0 || swr_init(swr.get()) < 0) return out;

  FramePtr frame = NewFrame();
  PacketPtr pkt = NewPacket();
  bool draining = false;
  auto append = [&](const uint8_t** data, int count) {
    const int room = swr_get_out_samples(swr.get(), count);
    if (room <= 0) return false;
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(room));
    uint8_t* dst = reinterpret_cast<uint8_t*>(out.data() + at);
    const int got = swr_convert(swr.get(), &dst, room, data, count);
    out.resize(at + static_cast<size_t>(std::max(got, 0)));
    return got >= 0 && out.size() <= kMaxAudioSamples;
  };
  while (ReceiveFrame(demux, stream, ctx.get(), pkt.get(), frame.get(), draining)) {
    const bool ok = frame->format == ctx->sample_fmt && frame->sample_rate == ctx->sample_rate &&
                    frame->ch_layout.nb_channels == channels &&
                    append(const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
    av_frame_unref(frame.get());
    if (!ok) break;
  }
  append(nullptr, 0);  // what the resampler still holds
  out.resize(std::min(out.size(), kMaxAudioSamples));
  return out;
}

double StreamFrameRate(const AVStream* s) {
  for (AVRational r : {s->avg_frame_rate, s->r_frame_rate}) {
    if (r.num > 0 && r.den > 0) {
      const double fps = av_q2d(r);
      if (fps > 0 && fps <= kMaxFrameRate) return fps;
    }
  }
  return 0;
}

int StreamDurationMs(const AVFormatContext* fmt, const AVStream* s) {
  double ms = 0;
  if (s->duration != AV_NOPTS_VALUE && s->duration > 0 && s->time_base.den > 0) {
    ms = static_cast<double>(s->duration) * av_q2d(s->time_base) * 1000;
  } else if (fmt->duration != AV_NOPTS_VALUE && fmt->duration > 0) {
    ms = static_cast<double>(fmt->duration) / (AV_TIME_BASE / 1000);
  }
  return static_cast<int>(std::clamp(std::round(ms), 0.0, 1e9));
}

class FfmpegMovie : public Movie {
 public:
  explicit FfmpegMovie(const std::string& path)
      : demux_(path), frame_(NewFrame()), packet_(NewPacket()) {
    stream_ = demux_.Select(AVMEDIA_TYPE_VIDEO);
    if (stream_ < 0) throw MovieError("no video in it");
    const AVStream* s = demux_.fmt()->streams[stream_];
    fps_ = StreamFrameRate(s);
    if (fps_ <= 0) throw MovieError("no usable frame rate");
    duration_ms_ = StreamDurationMs(demux_.fmt(), s);
    // The size the file declares (0 when it leaves it to the pictures), checked
    // before a decoder makes room for it.
    const int64_t w = s->codecpar->width, h = s->codecpar->height;
    if ((w != 0 || h != 0) && !SizeAllowed(w, h)) {
      throw MovieError("its picture size " + std::to_string(w) + " by " + std::to_string(h) +
                       " is out of range");
    }
    codec_ = OpenDecoder(s);
    // The first picture fixes the natural size; a movie without one is refused.
    if (!Decode()) throw MovieError("no picture could be decoded");
    width_ = frame_->width;
    height_ = frame_->height;
    if (!Convert(first_)) throw MovieError("its picture cannot be converted");
    have_first_ = true;
    try {
      audio_ = DecodeAudio(path);
    } catch (const MovieError&) {
      audio_.clear();  // sound that cannot be read leaves a silent movie
    }
  }

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  double FrameRate() const override { return fps_; }
  int DurationMs() const override { return duration_ms_; }
  bool AtEnd() const override { return end_; }
  bool HasAudio() const override { return !audio_.empty(); }
  const std::vector<int16_t>& Audio() const override { return audio_; }

  bool NextFrame(std::vector<uint32_t>& colours) override {
    if (end_) return false;
    if (have_first_) {
      have_first_ = false;
      colours = std::move(first_);
      first_ = {};
      return true;
    }
    // A picture of another size than the first ends the movie: never scaled.
    if (!Decode() || frame_->width != width_ || frame_->height != height_ || !Convert(colours)) {
      end_ = true;
      return false;
    }
    return true;
  }

 private:
  bool Decode() {
    av_frame_unref(frame_.get());
    return ReceiveFrame(demux_, stream_, codec_.get(), packet_.get(), frame_.get(), draining_);
  }

  // The decoded frame as colours 0x00BBGGRR (0BGR32 is that order in a native word).
  bool Convert(std::vector<uint32_t>& colours) {
    const AVFrame* f = frame_.get();
    if (!SizeAllowed(f->width, f->height) || f->format < 0) return false;
    sws_.reset(sws_getCachedContext(sws_.release(), f->width, f->height,
                                    static_cast<AVPixelFormat>(f->format), f->width, f->height,
                                    AV_PIX_FMT_0BGR32, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!sws_) return false;
    colours.assign(static_cast<size_t>(f->width) * f->height, 0);
    uint8_t* dst[4] = {reinterpret_cast<uint8_t*>(colours.data()), nullptr, nullptr, nullptr};
    const int pitch[4] = {f->width * 4, 0, 0, 0};
    if (sws_scale(sws_.get(), f->data, f->linesize, 0, f->height, dst, pitch) != f->height) {
      return false;
    }
    for (uint32_t& c : colours) c &= 0x00FFFFFF;
    return true;
  }

  Demuxer demux_;
  int stream_ = -1;
  CodecPtr codec_;
  FramePtr frame_;
  PacketPtr packet_;
  SwsPtr sws_;
  bool draining_ = false;
  bool end_ = false;
  int width_ = 0, height_ = 0;
  double fps_ = 0;
  int duration_ms_ = 0;
  std::vector<uint32_t> first_;  // the picture decoded while opening
  bool have_first_ = false;
  std::vector<int16_t> audio_;
};

}  // namespace

std::unique_ptr<Movie> OpenFfmpegMovie(const std::string& path, std::string& error) {
  SilenceLogging();
  try {
    return std::make_unique<FfmpegMovie>(path);
  } catch (const MovieError& e) {
    error = e.what();
  } catch (const std::bad_alloc&) {
    error = "out of memory";
  }
  return nullptr;
}

}  // namespace gp
