// galaputt-lab geom OP ARGS...: one angle or distance operation, its result on one line.
#include <cstdio>
#include <string>

#include "base/angles.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"

namespace gp::lab {

namespace {

enum class Result { Real, Integer, Truth };

struct Op {
  const char* name;
  int ints;     // integer arguments
  int doubles;  // double arguments (after the integers)
  Result result;
};

constexpr Op kOps[] = {
    {"bytecos", 1, 0, Result::Real},         {"bytesin", 1, 0, Result::Real},
    {"dist", 4, 0, Result::Integer},         {"flatdist", 4, 0, Result::Integer},
    {"angleto", 4, 0, Result::Integer},      {"angleofvector", 0, 2, Result::Integer},
    {"inquad", 10, 0, Result::Truth},        {"nearsegment", 6, 0, Result::Truth},
    {"foldhalfturn", 1, 0, Result::Integer}, {"roundint", 0, 1, Result::Integer},
};

// Runs the operation on already parsed arguments.
void Evaluate(const std::string& op, const int32_t* i, const double* d, double& real,
              int64_t& integer) {
  if (op == "bytecos") real = ByteCos(i[0]);
  if (op == "bytesin") real = ByteSin(i[0]);
  if (op == "dist") integer = Dist(i[0], i[1], i[2], i[3]);
  if (op == "flatdist") integer = FlatDist(i[0], i[1], i[2], i[3]);
  if (op == "angleto") integer = AngleTo(i[0], i[1], i[2], i[3]);
  if (op == "angleofvector") integer = AngleOfVector(d[0], d[1]);
  if (op == "inquad") integer = InQuad(i[0], i[1], i[2], i[3], i[4], i[5], i[6], i[7], i[8], i[9]);
  if (op == "nearsegment") integer = NearSegment(i[0], i[1], i[2], i[3], i[4], i[5]);
  if (op == "foldhalfturn") integer = FoldHalfTurn(i[0]);
  if (op == "roundint") integer = RoundInt(d[0]);
}

int RunGeom(const Args& args) {
  if (args.empty()) return Fail("geom: missing operation");
  const std::string& name = args[0];
  for (const Op& op : kOps) {
    if (name != op.name) continue;
    const int want = op.ints + op.doubles;
    if (static_cast<int>(args.size()) - 1 != want) {
      return Fail("geom " + name + ": expects " + std::to_string(want) + " arguments");
    }
    int32_t ints[10] = {};
    double doubles[2] = {};
    for (int k = 0; k < op.ints; ++k) {
      if (!ParseInt(args[1 + k], ints[k])) return Fail("geom: not an integer: " + args[1 + k]);
    }
    for (int k = 0; k < op.doubles; ++k) {
      const std::string& a = args[1 + op.ints + k];
      if (!ParseDouble(a, doubles[k])) return Fail("geom: not a number: " + a);
    }
    double real = 0;
    int64_t integer = 0;
    Evaluate(name, ints, doubles, real, integer);
    if (op.result == Result::Real) std::printf("%.17g\n", real);
    if (op.result == Result::Integer) std::printf("%lld\n", static_cast<long long>(integer));
    if (op.result == Result::Truth) std::printf("%s\n", integer != 0 ? "true" : "false");
    return 0;
  }
  return Fail("geom: unknown operation: " + name);
}

const Registrar kGeom({"geom",
                       "OP ARGS...  (bytecos bytesin dist flatdist angleto angleofvector "
                       "inquad nearsegment foldhalfturn roundint)",
                       RunGeom});

}  // namespace

}  // namespace gp::lab
