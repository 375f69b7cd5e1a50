program d
  print '(i0)', huge(0)
#ifdef SHOUT
  print '(a)', 'LOUD'
#else
  print '(a)', 'quiet'
#endif
end program d
