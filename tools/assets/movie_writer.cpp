#include "tools/assets/movie_writer.h"

#include "media/ffmpeg/ffmpeg_ptr.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <stdexcept>

namespace gp::assets {

namespace {

constexpr int kSoundRate = 22050;  // samples per second

std::string AvError(int code) {
  char buf[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, buf, sizeof buf);
  return buf;
}

void Check(int ret, const std::string& what) {
  if (ret < 0) throw std::runtime_error(what + ": " + AvError(ret));
}

// The output context and its file.
struct OutputFree {
  void operator()(AVFormatContext* f) const {
    if (f->pb) avio_closep(&f->pb);
    avformat_free_context(f);
  }
};

}  // namespace

struct MovieWriter::Impl {
  MovieFormat format;
  std::vector<int16_t> sound;
  size_t soundpos = 0;  // samples written so far
  int frames = 0;
  bool finished = false;
  std::string path;

  std::unique_ptr<AVFormatContext, OutputFree> out;
  ffmpeg::CodecPtr video, audio;
  ffmpeg::FramePtr picture, samples;
  ffmpeg::PacketPtr packet;
  ffmpeg::SwsPtr sws;
  AVStream* vstream = nullptr;
  AVStream* astream = nullptr;

  void OpenVideo();
  void OpenAudio();
  // Sends a frame (nullptr: flush) and writes every packet the encoder returns.
  void Encode(AVCodecContext* ctx, AVStream* stream, const AVFrame* frame);
  // Writes the sound up to sample `until`.
  void WriteSound(size_t until);
};

void MovieWriter::Impl::OpenVideo() {
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
  if (!codec) throw std::runtime_error("no MPEG-4 encoder in this FFmpeg");
  vstream = avformat_new_stream(out.get(), nullptr);
  video.reset(avcodec_alloc_context3(codec));
  if (!vstream || !video) throw std::runtime_error("out of memory");
  AVCodecContext* c = video.get();
  c->width = format.width;
  c->height = format.height;
  c->time_base = AVRational{1, format.fps};
  c->framerate = AVRational{format.fps, 1};
  c->pix_fmt = AV_PIX_FMT_YUV420P;
  c->gop_size = format.keyinterval;
  c->max_b_frames = 0;
  c->thread_count = 1;
  c->flags |= AV_CODEC_FLAG_QSCALE | AV_CODEC_FLAG_BITEXACT | AV_CODEC_FLAG_4MV;
  c->global_quality = FF_QP2LAMBDA * format.quantiser;
  c->mb_decision = FF_MB_DECISION_RD;
  if (out->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  Check(avcodec_open2(c, codec, nullptr), "cannot start the MPEG-4 encoder");
  Check(avcodec_parameters_from_context(vstream->codecpar, c), "video parameters");
  vstream->time_base = c->time_base;
  vstream->avg_frame_rate = c->framerate;

  picture.reset(av_frame_alloc());
  if (!picture) throw std::runtime_error("out of memory");
  picture->format = c->pix_fmt;
  picture->width = c->width;
  picture->height = c->height;
  Check(av_frame_get_buffer(picture.get(), 0), "video frame");
  sws.reset(sws_getContext(c->width, c->height, AV_PIX_FMT_RGB32, c->width, c->height, c->pix_fmt,
                           SWS_BICUBIC | SWS_ACCURATE_RND | SWS_BITEXACT, nullptr, nullptr,
                           nullptr));
  if (!sws) throw std::runtime_error("cannot convert pictures to YUV");
}

void MovieWriter::Impl::OpenAudio() {
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
  if (!codec) throw std::runtime_error("no PCM encoder in this FFmpeg");
  astream = avformat_new_stream(out.get(), nullptr);
  audio.reset(avcodec_alloc_context3(codec));
  if (!astream || !audio) throw std::runtime_error("out of memory");
  AVCodecContext* c = audio.get();
  c->sample_fmt = AV_SAMPLE_FMT_S16;
  c->sample_rate = kSoundRate;
  c->time_base = AVRational{1, kSoundRate};
  av_channel_layout_default(&c->ch_layout, 1);
  c->thread_count = 1;
  c->flags |= AV_CODEC_FLAG_BITEXACT;
  Check(avcodec_open2(c, codec, nullptr), "cannot start the PCM encoder");
  Check(avcodec_parameters_from_context(astream->codecpar, c), "audio parameters");
  astream->time_base = c->time_base;
  samples.reset(av_frame_alloc());
  if (!samples) throw std::runtime_error("out of memory");
}

void MovieWriter::Impl::Encode(AVCodecContext* ctx, AVStream* stream, const AVFrame* frame) {
  Check(avcodec_send_frame(ctx, frame), "encoding " + path);
  for (;;) {
    const int ret = avcodec_receive_packet(ctx, packet.get());
    if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF) return;
    Check(ret, "encoding " + path);
    av_packet_rescale_ts(packet.get(), ctx->time_base, stream->time_base);
    packet->stream_index = stream->index;
    Check(av_interleaved_write_frame(out.get(), packet.get()), "writing " + path);
  }
}

void MovieWriter::Impl::WriteSound(size_t until) {
  until = std::min(until, sound.size());
  if (!audio || until <= soundpos) return;
  AVFrame* f = samples.get();
  av_frame_unref(f);
  f->format = AV_SAMPLE_FMT_S16;
  f->sample_rate = kSoundRate;
  f->nb_samples = static_cast<int>(until - soundpos);
  Check(av_channel_layout_copy(&f->ch_layout, &audio->ch_layout), "sound frame");
  Check(av_frame_get_buffer(f, 0), "sound frame");
  std::copy(sound.begin() + static_cast<std::ptrdiff_t>(soundpos),
            sound.begin() + static_cast<std::ptrdiff_t>(until),
            reinterpret_cast<int16_t*>(f->data[0]));
  f->pts = static_cast<int64_t>(soundpos);
  Encode(audio.get(), astream, f);
  soundpos = until;
}

MovieWriter::MovieWriter(const std::string& path, const MovieFormat& format,
                         std::vector<int16_t> sound)
    : impl_(std::make_unique<Impl>()) {
  Impl& m = *impl_;
  m.format = format;
  m.sound = std::move(sound);
  m.path = path;
  if (format.width < 16 || format.height < 16 || format.width % 2 || format.height % 2 ||
      format.fps < 1) {
    throw std::runtime_error("bad movie format for " + path);
  }
  AVFormatContext* raw = nullptr;
  Check(avformat_alloc_output_context2(&raw, nullptr, "avi", nullptr), "AVI writer");
  m.out.reset(raw);
  m.out->flags |= AVFMT_FLAG_BITEXACT;  // no encoder name in the file
  m.packet.reset(av_packet_alloc());
  if (!m.packet) throw std::runtime_error("out of memory");
  m.OpenVideo();
  if (!m.sound.empty()) m.OpenAudio();
  Check(avio_open(&m.out->pb, path.c_str(), AVIO_FLAG_WRITE), "cannot create " + path);
  Check(avformat_write_header(m.out.get(), nullptr), "writing " + path);
}

MovieWriter::~MovieWriter() = default;

int MovieWriter::frames() const {
  return impl_->frames;
}

void MovieWriter::AddFrame(const uint8_t* pixels, int stride) {
  Impl& m = *impl_;
  if (m.finished) throw std::runtime_error("frame after the end of " + m.path);
  Check(av_frame_make_writable(m.picture.get()), "video frame");
  const uint8_t* src[4] = {pixels, nullptr, nullptr, nullptr};
  const int srcstride[4] = {stride, 0, 0, 0};
  sws_scale(m.sws.get(), src, srcstride, 0, m.format.height, m.picture->data, m.picture->linesize);
  m.picture->pts = m.frames;
  m.picture->quality = m.video->global_quality;
  m.Encode(m.video.get(), m.vstream, m.picture.get());
  ++m.frames;
  // The sound that belongs to the time up to the end of this frame.
  m.WriteSound(static_cast<size_t>(m.frames) * kSoundRate / static_cast<size_t>(m.format.fps));
}

void MovieWriter::Finish() {
  Impl& m = *impl_;
  if (m.finished) return;
  m.WriteSound(m.sound.size());
  m.Encode(m.video.get(), m.vstream, nullptr);
  if (m.audio) m.Encode(m.audio.get(), m.astream, nullptr);
  Check(av_write_trailer(m.out.get()), "writing " + m.path);
  Check(avio_closep(&m.out->pb), "closing " + m.path);
  m.finished = true;
}

}  // namespace gp::assets
