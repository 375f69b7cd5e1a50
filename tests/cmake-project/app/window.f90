! A GUI-subsystem program (WIN32_EXECUTABLE, f90 -wsim) whose Fortran main
! program still runs, calling the Windows API of user32 by name.
program window
  use iso_c_binding
  implicit none
  interface
    integer(c_int) function GetSystemMetrics(index) bind(c, name='GetSystemMetrics')
      import :: c_int
      ! The Windows API's calling convention, which matters on 32-bit Windows.
      !GCC$ ATTRIBUTES STDCALL :: GetSystemMetrics
      integer(c_int), value :: index
    end function GetSystemMetrics
  end interface
  ! SM_CMOUSEBUTTONS is 0 only without a mouse; any answer shows the call linked.
  print '(a,l1)', 'window metrics ', GetSystemMetrics(43_c_int) >= 0
end program window
