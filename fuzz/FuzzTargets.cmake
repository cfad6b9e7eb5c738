# The fuzz targets (fuzz/<name>.cpp) and the libraries they read with;
# shared by the fuzz build and by the regression tests, which run every
# input under fuzz/regressions/<name>/ through its target.
set(KIV_FUZZ_TARGET_NAMES
  archive_fuzz
  tank_archive_fuzz
  cache_tank_archive_fuzz
  calc_tank_archive_fuzz
  unit_archive_fuzz
  meter_archive_fuzz
  system_archive_fuzz
  check_table_archive_fuzz
  freq_count_archive_fuzz
  can_archive_fuzz
  graph_page_archive_fuzz
  huffman_fuzz
  profile_fuzz
  can_text_fuzz
  header_fuzz
  file_listing_fuzz
  string_table_fuzz
  number_date_fuzz
  formula_fuzz
  grid_style_archive_fuzz
  graph_archive_fuzz
  project_file_fuzz
  data_file_fuzz
  hist_file_fuzz
  marker_archive_fuzz)
set(KIV_FUZZ_TARGET_LIBRARIES kiv_data kiv_project kiv_freqdoc fw_core kiv_common kiv_instrument kiv_freqmodel
    kiv_canvoicegps kiv_docbase kiv_usb_backend kiv_gridmodel kiv_chart)
