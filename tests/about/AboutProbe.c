/* The probe modules carry only resources; the linker wants one object. */
int quortab_about_probe;
