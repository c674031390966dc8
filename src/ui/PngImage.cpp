#include "ui/PngImage.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "sys/Files.h"
#include "sys/Handles.h"
#include "toolkit/BitmapFile.h"

namespace ui {
namespace {

// Everything the libpng callbacks touch. It lives in the C++ caller's frame, so
// nothing here is lost when libpng jumps back out of a failing call.
struct PngContext {
  png_structp png = nullptr;
  png_infop info = nullptr;
  const unsigned char* data = nullptr;
  size_t size = 0;
  size_t offset = 0;
  char message[256] = {};
  png_uint_32 width = 0;
  png_uint_32 height = 0;
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  auto* ctx = static_cast<PngContext*>(png_get_error_ptr(png));
  std::snprintf(ctx->message, sizeof ctx->message, "%s", message ? message : "PNG error");
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* ctx = static_cast<PngContext*>(png_get_io_ptr(png));
  if (length > ctx->size - ctx->offset) png_error(png, "unexpected end of PNG data");
  std::memcpy(out, ctx->data + ctx->offset, length);
  ctx->offset += length;
}

// The two steps that call into libpng. Each sets its own jump target and keeps
// no C++ object with a destructor in its frame, so the longjmp from OnPngError
// skips nothing that needed cleaning up. They return false on a libpng error.
bool ReadHeader(PngContext* ctx) {
  if (setjmp(png_jmpbuf(ctx->png))) return false;
  png_set_read_fn(ctx->png, ctx, &ReadFromMemory);
  png_set_user_limits(ctx->png, kMaxPictureSide, kMaxPictureSide);
  png_set_chunk_malloc_max(ctx->png, 8u * 1024 * 1024);
  png_read_info(ctx->png, ctx->info);

  int bitDepth = 0, colorType = 0, interlace = 0;
  png_get_IHDR(ctx->png, ctx->info, &ctx->width, &ctx->height, &bitDepth, &colorType, &interlace,
               nullptr, nullptr);
  // Whatever the source, rows come out as 8-bit B, G, R, A.
  png_set_expand(ctx->png);
  png_set_strip_16(ctx->png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(ctx->png);
  png_set_add_alpha(ctx->png, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(ctx->png);
  png_set_interlace_handling(ctx->png);
  png_read_update_info(ctx->png, ctx->info);
  if (png_get_rowbytes(ctx->png, ctx->info) != static_cast<png_size_t>(ctx->width) * 4)
    png_error(ctx->png, "unsupported PNG pixel layout");
  return true;
}

bool ReadRows(PngContext* ctx, png_bytepp rows) {
  if (setjmp(png_jmpbuf(ctx->png))) return false;
  png_read_image(ctx->png, rows);
  png_read_end(ctx->png, nullptr);
  return true;
}

class PngReadGuard {
 public:
  explicit PngReadGuard(PngContext& ctx) : ctx_(ctx) {}
  ~PngReadGuard() {
    if (ctx_.png) png_destroy_read_struct(&ctx_.png, ctx_.info ? &ctx_.info : nullptr, nullptr);
  }
  PngReadGuard(const PngReadGuard&) = delete;
  PngReadGuard& operator=(const PngReadGuard&) = delete;

 private:
  PngContext& ctx_;
};

// Straight alpha as PNG stores it -> premultiplied, as AlphaBlend wants it.
void Premultiply(Picture& picture) {
  std::uint32_t* p = picture.pixels();
  const size_t count = static_cast<size_t>(picture.width()) * picture.height();
  for (size_t i = 0; i < count; ++i) {
    std::uint32_t a = p[i] >> 24;
    if (a == 0xFF) continue;
    std::uint32_t r = ((p[i] >> 16) & 0xFF) * a / 255;
    std::uint32_t g = ((p[i] >> 8) & 0xFF) * a / 255;
    std::uint32_t b = (p[i] & 0xFF) * a / 255;
    p[i] = (a << 24) | (r << 16) | (g << 8) | b;
  }
}

void CheckDimensions(long long width, long long height) {
  if (width <= 0 || height <= 0) throw PictureError("picture has no pixels");
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
    throw PictureError("picture is too large");
}

// A new picture for the decoders: a section that cannot be made is a PictureError
// like any other reason why a picture cannot be shown.
Picture NewPicture(int width, int height) {
  try {
    return Picture::Create(width, height);
  } catch (const std::bad_alloc&) {
    throw PictureError("not enough memory for a picture of " + std::to_string(width) + " x " +
                       std::to_string(height) + " pixels");
  }
}

std::string LowerExtension(const std::string& path) {
  std::string name = sys::ExtractFileName(path);
  size_t dot = name.find_last_of('.');
  std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext;
}

Picture LoadBitmapFile(const std::string& path) {
  sys::UniqueBitmap loaded(toolkit::LoadBitmapFileUtf8(path));
  if (!loaded) throw PictureError("cannot read bitmap " + path);
  BITMAP info{};
  if (!GetObjectW(loaded.get(), sizeof info, &info)) throw PictureError("bad bitmap " + path);
  CheckDimensions(info.bmWidth, info.bmHeight);
  Picture picture = NewPicture(info.bmWidth, info.bmHeight);

  BITMAPINFO want{};
  want.bmiHeader.biSize = sizeof want.bmiHeader;
  want.bmiHeader.biWidth = info.bmWidth;
  want.bmiHeader.biHeight = -info.bmHeight;
  want.bmiHeader.biPlanes = 1;
  want.bmiHeader.biBitCount = 32;
  want.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  int lines =
      GetDIBits(screen, loaded.get(), 0, info.bmHeight, picture.pixels(), &want, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != info.bmHeight) throw PictureError("cannot convert bitmap " + path);
  // Plain bitmaps carry no alpha.
  const size_t count = static_cast<size_t>(info.bmWidth) * info.bmHeight;
  for (size_t i = 0; i < count; ++i) picture.pixels()[i] |= 0xFF000000u;
  picture.updateAlphaFlag();
  return picture;
}

}  // namespace

Picture DecodePng(std::string_view data) {
  if (data.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(data.data()), 0, 8) != 0)
    throw PictureError("not a PNG picture");

  PngContext ctx;
  ctx.data = reinterpret_cast<const unsigned char*>(data.data());
  ctx.size = data.size();
  ctx.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &ctx, &OnPngError, &OnPngWarning);
  if (!ctx.png) throw PictureError("cannot start the PNG decoder");
  PngReadGuard guard(ctx);
  ctx.info = png_create_info_struct(ctx.png);
  if (!ctx.info) throw PictureError("cannot start the PNG decoder");

  if (!ReadHeader(&ctx)) throw PictureError(std::string("bad PNG header: ") + ctx.message);
  CheckDimensions(ctx.width, ctx.height);

  Picture picture = NewPicture(static_cast<int>(ctx.width), static_cast<int>(ctx.height));
  std::vector<png_bytep> rows(ctx.height);
  for (png_uint_32 y = 0; y < ctx.height; ++y)
    rows[y] = reinterpret_cast<png_bytep>(picture.pixels() + static_cast<size_t>(y) * ctx.width);
  if (!ReadRows(&ctx, rows.data())) throw PictureError(std::string("bad PNG data: ") + ctx.message);

  Premultiply(picture);
  picture.updateAlphaFlag();
  return picture;
}

Picture LoadPictureFile(const std::string& path) {
  std::string ext = LowerExtension(path);
  if (ext == ".bmp" || ext == ".dib") return LoadBitmapFile(path);
  if (ext != ".png") throw PictureError("unsupported picture format: " + path);
  std::string bytes;
  if (!sys::ReadFileBytes(path, bytes)) throw PictureError("cannot read " + path);
  try {
    return DecodePng(bytes);
  } catch (const PictureError& e) {
    throw PictureError(path + ": " + e.what());
  }
}

}  // namespace ui
