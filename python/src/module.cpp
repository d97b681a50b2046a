// The native module _veltra: the engine's compiled formula and the number
// formatting for the package's Python files (veltra/__init__.py), which
// turn data frames and arrays into the contiguous columns checked here.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "compiled_formula.h"
#include "format_values.h"

namespace py = pybind11;
using veltra_py::CompiledFormula;

namespace {

std::vector<std::string> to_strings(const std::vector<py::bytes>& list) {
  std::vector<std::string> out;
  for (const py::bytes& b : list) out.push_back(b);
  return out;
}

py::list signal_list(const CompiledFormula& f) {
  py::list out;
  for (const veltra_py::Signal& s : f.signals()) out.append(py::make_tuple(py::bytes(s.name), s.boolean));
  return out;
}

// The columns must be what the engine reads without a copy: one dimension,
// `rows` long, contiguous, float32 for a float signal and int16 for a
// Boolean one. The package prepares them; this is the last guard before
// the engine reads raw memory.
std::vector<const void*> checked_columns(const CompiledFormula& f, const py::list& columns, std::uint64_t rows) {
  const auto& signals = f.signals();
  if (columns.size() != signals.size()) throw py::value_error("one column per signal is needed");
  std::vector<const void*> pointers;
  for (std::size_t k = 0; k < signals.size(); ++k) {
    if (!py::isinstance<py::array>(columns[k])) throw py::type_error("columns must be numpy arrays");
    py::array a = py::reinterpret_borrow<py::array>(columns[k]);
    const bool dtype_ok = signals[k].boolean ? a.dtype().is(py::dtype::of<std::int16_t>())
                                             : a.dtype().is(py::dtype::of<float>());
    if (!dtype_ok || a.ndim() != 1 || static_cast<std::uint64_t>(a.shape(0)) != rows ||
        !(a.flags() & py::array::c_style))
      throw py::value_error("column of signal " + signals[k].name + " is not a contiguous " +
                            (signals[k].boolean ? "int16" : "float32") + " array of " + std::to_string(rows) +
                            " rows");
    pointers.push_back(a.data());
  }
  return pointers;
}

py::array evaluate(CompiledFormula& f, const py::list& columns, std::uint64_t rows) {
  if (!f.outcome().ok) throw py::value_error("the formula did not compile");
  const std::vector<const void*> pointers = checked_columns(f, columns, rows);
  py::array out = f.boolean_result() ? py::array(py::array_t<bool>(rows)) : py::array(py::array_t<float>(rows));
  void* results = out.mutable_data();
  bool ok;
  {
    py::gil_scoped_release unlocked;
    ok = f.evaluate(pointers, results, rows);
  }
  if (!ok) throw std::runtime_error("the engine refused the columns");
  return out;
}

py::list format(const py::array_t<float, py::array::c_style | py::array::forcecast>& values, const std::string& mask) {
  if (!veltra_py::valid_mask(mask)) throw py::value_error("no format mask: " + mask);
  const std::vector<std::string> texts = veltra_py::format_values(values.data(), values.size(), mask);
  py::list out;
  for (const std::string& t : texts) out.append(py::str(t));
  return out;
}

}  // namespace

PYBIND11_MODULE(_veltra, m) {
  m.doc() = "The Veltra formula engine and number formatting (native part of the veltra package).";
  py::class_<CompiledFormula>(m, "Compiled")
      .def(py::init([](const py::bytes& text, const std::vector<py::bytes>& booleans) {
             return new CompiledFormula(text, to_strings(booleans));
           }),
           py::arg("text"), py::arg("booleans"))
      .def_property_readonly("ok", [](const CompiledFormula& f) { return f.outcome().ok; })
      .def_property_readonly("error", [](const CompiledFormula& f) { return f.outcome().error; })
      .def_property_readonly("position", [](const CompiledFormula& f) { return f.outcome().position; })
      .def_property_readonly("message", [](const CompiledFormula& f) { return py::bytes(f.outcome().message); })
      .def_property_readonly("boolean_result", &CompiledFormula::boolean_result)
      .def_property_readonly("signals", &signal_list)
      .def("code", [](const CompiledFormula& f) {
        const std::vector<unsigned char> c = f.code();
        return py::bytes(reinterpret_cast<const char*>(c.data()), c.size());
      })
      .def("evaluate", &evaluate, py::arg("columns"), py::arg("rows"));
  m.def("format", &format, py::arg("values"), py::arg("mask"));
}
